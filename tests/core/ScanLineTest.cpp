#include "core/ScanLine.h"
#include "core/Numbers.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

// Each format and its fields (f float, i int).
const std::pair<LineFormat, std::string> kFormats[] = {
    {LineFormat::Item, "fffif"},    {LineFormat::Object, "fffifff"}, {LineFormat::Floats3, "fff"},
    {LineFormat::WaterLine, "fii"}, {LineFormat::Header, "ii"},      {LineFormat::Int, "i"},
    {LineFormat::Ints3, "iii"}};

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
std::string reference(const std::string &line, const std::string &kinds) {
  std::string format;
  for (const char kind : kinds)
    format += std::string(format.empty() ? "" : ",") + (kind == 'f' ? "%f" : "%i");
  Scanned v[7] = {};
  // Each Scanned holds the float or int its field names.
  int n = std::max(0, std::sscanf(line.c_str(), format.c_str(), &v[0], &v[1], &v[2], &v[3], &v[4],
                                  &v[5], &v[6]));
  for (int k = 0; k < n; ++k)
    if (kinds[static_cast<std::size_t>(k)] == 'f' && !std::isfinite(v[k].f))
      n = k;
  return encode(n, v);
}

std::string mine(const std::string &line, LineFormat format) {
  Scanned v[7];
  for (Scanned &s : v)
    s.i = -1; // a NaN as a float, so a field left unwritten cannot pass for a read one
  return encode(scanLine(line, format, v), v);
}

TEST(ScanLine, FollowsScanfOnHandPickedAndRandomNumberLines) {
  std::vector<std::string> lines;
  std::ifstream in(std::string(HS_TEST_DATA) + "/scan_lines.txt");
  for (std::string text; std::getline(in, text);)
    lines.push_back(test::unescaped(text));
  ASSERT_FALSE(lines.empty());
  std::mt19937 gen(5);
  const std::string alphabet = "0123456789012345678901234567890123456789.,,,,-+ eExX\tai";
  for (int round = 0; round < 5000; ++round) {
    std::string &line = lines.emplace_back();
    for (int k = static_cast<int>(gen() % 40); k > 0; --k)
      line += alphabet[gen() % alphabet.size()];
  }
  for (const std::string &line : lines)
    for (const auto &[format, kinds] : kFormats)
      ASSERT_EQ(mine(line, format), reference(line, kinds)) << '"' << line << '"';
}

TEST(TruncToInt, TruncatesTowardZeroSaturatesAndMapsNanToZero) {
  for (const auto &row : test::dataTable("trunc_to_int.txt"))
    EXPECT_EQ(truncToInt(std::strtod(row[0].c_str(), nullptr)), std::stoi(row[1])) << row[0];
  // Sums beyond the int range saturate too.
  EXPECT_EQ(std::tuple(clampToInt(INT_MAX + 1LL), clampToInt(INT_MIN - 1LL), clampToInt(-7)),
            std::tuple(INT_MAX, INT_MIN, -7));
}

} // namespace
} // namespace hs
