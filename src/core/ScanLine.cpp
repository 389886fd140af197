#include "core/ScanLine.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <locale.h>
#include <string>

namespace hs {

namespace {

constexpr std::string_view kKinds[] = {"fffif", "fffifff", "fff", "fii", "ii", "i", "iii"};

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Result of the fast path for one field.
enum class Fast { Ok, NoMatch, Slow };

Fast fastFloat(const char *&p, const char *end, float &out) {
  while (p < end && isSpace(*p))
    ++p;
  const char *start = p;
  const char *q = p;
  if (q < end && (*q == '-' || *q == '+'))
    ++q;
  const char *digits = q;
  while (q < end && isDigit(*q))
    ++q;
  if (q == digits)
    return Fast::Slow; // ".5", "inf", "nan" or no number at all
  if (q < end && *q == '.') {
    ++q;
    while (q < end && isDigit(*q))
      ++q;
  }
  if (q < end && (*q == 'e' || *q == 'E' || *q == 'x' || *q == 'X'))
    return Fast::Slow;
  // from_chars takes '-' but not '+'.
  const char *from = *start == '+' ? start + 1 : start;
  const auto r = std::from_chars(from, q, out, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != q)
    return Fast::Slow;
  p = q;
  return Fast::Ok;
}

Fast fastInt(const char *&p, const char *end, int &out) {
  while (p < end && isSpace(*p))
    ++p;
  const char *q = p;
  bool negative = false;
  if (q < end && (*q == '-' || *q == '+'))
    negative = *q++ == '-';
  const char *digits = q;
  int value = 0;
  while (q < end && isDigit(*q) && q - digits < 9)
    value = value * 10 + (*q++ - '0');
  const auto n = q - digits;
  // Hex, octal, overflow and non-numbers are left to the C library.
  if (n == 0 || n > 9 || (q < end && isDigit(*q)) || (*digits == '0' && n > 1) ||
      (q < end && (*q == 'x' || *q == 'X')))
    return Fast::Slow;
  out = negative ? -value : value;
  p = q;
  return Fast::Ok;
}

// The C library's own conversion, always in the C locale.
int slowScan(std::string_view line, LineFormat format, Scanned *o) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
  const locale_t previous = uselocale(cLocale);
  const std::string s(line);
  const char *c = s.c_str();
  int n = 0;
  switch (format) {
  case LineFormat::Item:
    n = std::sscanf(c, "%f,%f,%f,%i,%f", &o[0].f, &o[1].f, &o[2].f, &o[3].i, &o[4].f);
    break;
  case LineFormat::Object:
    n = std::sscanf(c, "%f,%f,%f,%i,%f,%f,%f", &o[0].f, &o[1].f, &o[2].f, &o[3].i, &o[4].f, &o[5].f,
                    &o[6].f);
    break;
  case LineFormat::Floats3:
    n = std::sscanf(c, "%f,%f,%f", &o[0].f, &o[1].f, &o[2].f);
    break;
  case LineFormat::WaterLine:
    n = std::sscanf(c, "%f,%i,%i", &o[0].f, &o[1].i, &o[2].i);
    break;
  case LineFormat::Header:
    n = std::sscanf(c, "%i,%i", &o[0].i, &o[1].i);
    break;
  case LineFormat::Int:
    n = std::sscanf(c, "%i", &o[0].i);
    break;
  case LineFormat::Ints3:
    n = std::sscanf(c, "%i,%i,%i", &o[0].i, &o[1].i, &o[2].i);
    break;
  }
  uselocale(previous);
  return n < 0 ? 0 : n;
}

// A float field that became nan or inf counts as not converted, and nothing
// after it either: such a value must never reach the scene or a file.
int finiteCount(std::string_view kinds, const Scanned *out, int n) {
  for (int k = 0; k < n; ++k)
    if (kinds[static_cast<std::size_t>(k)] == 'f' && !std::isfinite(out[k].f))
      return k;
  return n;
}

} // namespace

int scanLine(std::string_view line, LineFormat format, Scanned *out) {
  const std::string_view kinds = kKinds[static_cast<int>(format)];
  const char *p = line.data();
  const char *end = p + line.size();
  int count = 0;
  for (char kind : kinds) {
    if (count > 0) {
      if (p == end || *p != ',')
        return count;
      ++p;
    }
    const Fast r = kind == 'f' ? fastFloat(p, end, out[count].f) : fastInt(p, end, out[count].i);
    if (r != Fast::Ok)
      return finiteCount(kinds, out, slowScan(line, format, out));
    ++count;
  }
  return count;
}

} // namespace hs
