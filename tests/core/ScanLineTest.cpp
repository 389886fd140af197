#include "core/ScanLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace hs {
namespace {

constexpr LineFormat kFormats[] = {LineFormat::Item,   LineFormat::Floats3, LineFormat::WaterLine,
                                   LineFormat::Header, LineFormat::Int,     LineFormat::Ints3};

const char *kindsOf(LineFormat format) {
  switch (format) {
  case LineFormat::Item:
    return "fffif";
  case LineFormat::Floats3:
    return "fff";
  case LineFormat::WaterLine:
    return "fii";
  case LineFormat::Header:
    return "ii";
  case LineFormat::Int:
    return "i";
  default:
    return "iii";
  }
}

// The count and the values read, as bit patterns so -0 compares.
std::string encode(LineFormat format, int n, const float *f, const int *i) {
  const char *kinds = kindsOf(format);
  std::string out = std::to_string(n);
  for (int k = 0; k < n; ++k) {
    std::uint32_t bits = static_cast<std::uint32_t>(i[k]);
    if (kinds[k] == 'f')
      std::memcpy(&bits, &f[k], 4);
    out += ' ' + std::to_string(bits);
  }
  return out;
}

// What sscanf itself makes of line, as bit patterns so -0 compares, up to the
// first float that is not finite: that one and the rest count as unread.
std::string reference(const std::string &line, LineFormat format) {
  float f[5] = {};
  int i[5] = {};
  int n = 0;
  const char *c = line.c_str();
  switch (format) {
  case LineFormat::Item:
    n = std::sscanf(c, "%f,%f,%f,%i,%f", &f[0], &f[1], &f[2], &i[3], &f[4]);
    break;
  case LineFormat::Floats3:
    n = std::sscanf(c, "%f,%f,%f", &f[0], &f[1], &f[2]);
    break;
  case LineFormat::WaterLine:
    n = std::sscanf(c, "%f,%i,%i", &f[0], &i[1], &i[2]);
    break;
  case LineFormat::Header:
    n = std::sscanf(c, "%i,%i", &i[0], &i[1]);
    break;
  case LineFormat::Int:
    n = std::sscanf(c, "%i", &i[0]);
    break;
  case LineFormat::Ints3:
    n = std::sscanf(c, "%i,%i,%i", &i[0], &i[1], &i[2]);
    break;
  }
  const char *kinds = kindsOf(format);
  for (int k = 0; k < n; ++k)
    if (kinds[k] == 'f' && !std::isfinite(f[k]))
      n = k;
  return encode(format, n < 0 ? 0 : n, f, i);
}

std::string mine(const std::string &line, LineFormat format) {
  Scanned v[5];
  for (Scanned &s : v)
    s.i = -1; // a NaN as a float, so a field left unwritten cannot pass for a read one
  float f[5] = {};
  int i[5] = {};
  const int n = scanLine(line, format, v);
  for (int k = 0; k < n; ++k) {
    f[k] = v[k].f;
    i[k] = v[k].i;
  }
  return encode(format, n, f, i);
}

TEST(ScanLine, FollowsScanfOnHandPickedLines) {
  std::ifstream in(std::string(HS_TEST_DATA) + "/scan_lines.txt");
  ASSERT_TRUE(in);
  for (std::string text; std::getline(in, text);) {
    std::string line; // with \t and \r written out as escapes
    for (std::size_t k = 0; k < text.size(); ++k)
      if (text[k] == '\\' && k + 1 < text.size() && (text[k + 1] == 't' || text[k + 1] == 'r'))
        line += text[++k] == 't' ? '\t' : '\r';
      else
        line += text[k];
    for (LineFormat f : kFormats)
      EXPECT_EQ(mine(line, f), reference(line, f)) << '"' << line << '"';
  }
}

TEST(ScanLine, FollowsScanfOnRandomNumberLines) {
  std::mt19937 gen(5);
  const std::string alphabet = "0123456789012345678901234567890123456789.,,,,-+ eExX\tai";
  for (int round = 0; round < 5000; ++round) {
    std::string line;
    const int len = static_cast<int>(gen() % 40);
    for (int k = 0; k < len; ++k)
      line += alphabet[gen() % alphabet.size()];
    for (LineFormat f : kFormats)
      ASSERT_EQ(mine(line, f), reference(line, f)) << '"' << line << '"';
  }
}

} // namespace
} // namespace hs
