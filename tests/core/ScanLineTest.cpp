#include "core/ScanLine.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

namespace hs {
namespace {

// Each format, its fields (f float, i int) and sscanf given it.
struct Format {
  LineFormat format;
  const char *kinds;
  int (*scan)(const char *line, Scanned *v);
};
const Format kFormats[] = {
    {LineFormat::Item, "fffif",
     [](const char *c, Scanned *v) {
       return std::sscanf(c, "%f,%f,%f,%i,%f", &v[0].f, &v[1].f, &v[2].f, &v[3].i, &v[4].f);
     }},
    {LineFormat::Object, "fffifff",
     [](const char *c, Scanned *v) {
       return std::sscanf(c, "%f,%f,%f,%i,%f,%f,%f", &v[0].f, &v[1].f, &v[2].f, &v[3].i, &v[4].f,
                          &v[5].f, &v[6].f);
     }},
    {LineFormat::Floats3, "fff",
     [](const char *c, Scanned *v) {
       return std::sscanf(c, "%f,%f,%f", &v[0].f, &v[1].f, &v[2].f);
     }},
    {LineFormat::WaterLine, "fii",
     [](const char *c, Scanned *v) {
       return std::sscanf(c, "%f,%i,%i", &v[0].f, &v[1].i, &v[2].i);
     }},
    {LineFormat::Header, "ii",
     [](const char *c, Scanned *v) { return std::sscanf(c, "%i,%i", &v[0].i, &v[1].i); }},
    {LineFormat::Int, "i", [](const char *c, Scanned *v) { return std::sscanf(c, "%i", &v[0].i); }},
    {LineFormat::Ints3, "iii",
     [](const char *c, Scanned *v) {
       return std::sscanf(c, "%i,%i,%i", &v[0].i, &v[1].i, &v[2].i);
     }},
};

// The count and the values read, as bit patterns so -0 compares.
std::string encode(int n, const Scanned *v) {
  std::string out = std::to_string(n);
  for (int k = 0; k < n; ++k) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v[k], 4);
    out += ' ' + std::to_string(bits);
  }
  return out;
}

// What sscanf makes of line; a float that is not finite and the rest are unread.
std::string reference(const std::string &line, const Format &format) {
  Scanned v[7] = {};
  int n = std::max(0, format.scan(line.c_str(), v));
  for (int k = 0; k < n; ++k)
    if (format.kinds[k] == 'f' && !std::isfinite(v[k].f))
      n = k;
  return encode(n, v);
}

std::string mine(const std::string &line, LineFormat format) {
  Scanned v[7];
  for (Scanned &s : v)
    s.i = -1; // a NaN as a float, so a field left unwritten cannot pass for a read one
  return encode(scanLine(line, format, v), v);
}

TEST(ScanLine, FollowsScanfOnHandPickedLines) {
  std::ifstream in(std::string(HS_TEST_DATA) + "/scan_lines.txt");
  ASSERT_TRUE(in);
  for (std::string text; std::getline(in, text);) {
    const std::string line = test::unescaped(text);
    for (const Format &f : kFormats)
      EXPECT_EQ(mine(line, f.format), reference(line, f)) << '"' << line << '"';
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
    for (const Format &f : kFormats)
      ASSERT_EQ(mine(line, f.format), reference(line, f)) << '"' << line << '"';
  }
}

} // namespace
} // namespace hs
