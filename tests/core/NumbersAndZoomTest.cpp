#include "core/MapView.h"
#include "core/Numbers.h"
#include "core/ScanLine.h"
#include "core/ZoomPicture.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

// Each format as sscanf reads it.
const std::pair<LineFormat, std::string> kFormats[] = {
    {LineFormat::Item, "%f,%f,%f,%i,%f"}, {LineFormat::Object, "%f,%f,%f,%i,%f,%f,%f"},
    {LineFormat::Floats3, "%f,%f,%f"},    {LineFormat::WaterLine, "%f,%i,%i"},
    {LineFormat::Header, "%i,%i"},        {LineFormat::Int, "%i"},
    {LineFormat::Ints3, "%i,%i,%i"}};

// The count and the values read, as bit patterns so -0 compares.
std::string encode(int n, const Scanned *v) {
  std::string out = std::to_string(n);
  for (int k = 0; k < n; ++k)
    out += ' ' + std::to_string(std::bit_cast<std::uint32_t>(v[k]));
  return out;
}

// What sscanf makes of line; a float that is not finite and the rest are unread.
std::string reference(const std::string &line, const std::string &format) {
  Scanned v[7] = {}; // each holds the float or int its field names
  int n = std::max(0, std::sscanf(line.c_str(), format.c_str(), &v[0], &v[1], &v[2], &v[3], &v[4],
                                  &v[5], &v[6]));
  for (int k = 0; k < n; ++k)
    if (format[3 * static_cast<std::size_t>(k) + 1] == 'f' && !std::isfinite(v[k].f))
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
    for (const auto &[format, scanf] : kFormats)
      ASSERT_EQ(mine(line, format), reference(line, scanf)) << '"' << line << '"';
}

TEST(TruncToInt, TruncatesTowardZeroSaturatesAndMapsNanToZero) {
  for (const auto &row : test::dataTable("trunc_to_int.txt"))
    EXPECT_EQ(truncToInt(std::strtod(row[0].c_str(), nullptr)), std::stoi(row[1])) << row[0];
  EXPECT_EQ(std::tuple(clampToInt(INT_MAX + 1LL), clampToInt(INT_MIN - 1LL), clampToInt(-7)),
            std::tuple(INT_MAX, INT_MIN, -7));
}

TEST(Zoom, PanePointsMapPixelsAndPicturesAtEveryZoom) {
  for (const auto &row : test::dataTable("zoom_points.txt")) {
    const auto n =
        test::numbers(row[0] + " " + row[1] + " " + row[2] + " " + row[3] + " " + row[4]);
    MapView v;
    std::tie(v.zoom, v.scrollX, v.scrollY) = std::tuple(n[0], n[1], n[2]);
    const Point m = v.mapPointAt(n[3], n[4]);
    const Point p = v.panePointOf(m.x, m.y);
    const long long zoomed = n[3] + 0LL + v.scrollX;
    EXPECT_EQ(std::tuple(m.x, m.y, p.x, p.y, v.firstMapPixelAt(zoomed), v.lastMapPixelAt(zoomed)),
              std::tuple(n[5], n[6], n[7], n[8], n[9], n[10]))
        << row[0] << " | " << row[1];
  }
  MapView far; // saturated, not wrapped
  std::tie(far.zoom, far.scrollX) = std::pair(-4, 2'000'000'000);
  EXPECT_EQ(std::tuple(far.mapPointAt(2'000'000'000, 0).x, zoomedSize(400, 2), zoomedSize(401, -2),
                       zoomedSize(3, -4)),
            std::tuple(2147483647, 1600, 101, 1));
  // Pictures: blocks in; a partly covered screen pixel averages the pixels there are.
  LRMemoryDC src(3, 2);
  const std::uint32_t greys[] = {0, 30, 60, 90, 120, 255};
  for (int i = 0; i < 6; ++i)
    src.writePixel(i % 3, i / 3, greys[i] * 0x10101u);
  const auto shown = [](const LRMemoryDC &out) {
    std::vector<std::uint32_t> v;
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x)
        v.push_back(out.readPixel(x, y) & 255);
    return v;
  };
  LRMemoryDC in(5, 3), out(3, 2);
  in.fill(vColor(7, 7, 7));
  out.fill(vColor(7, 7, 7));
  zoomPicture(src, 1, 1, 1, in); // from the middle of the first block
  EXPECT_EQ(shown(in), (std::vector<std::uint32_t>{0, 30, 30, 60, 60, 90, 120, 120, 255, 255, 90,
                                                   120, 120, 255, 255}));
  zoomPicture(src, -1, 0, 0, out);
  // (0 + 30 + 90 + 120) / 4 and (60 + 255) / 2; then the picture ends.
  EXPECT_EQ(shown(out), (std::vector<std::uint32_t>{60, 157, 7, 7, 7, 7}));
  zoomPicture(src, -1, 1, 0, out); // scrolled: the right half first
  EXPECT_EQ(shown(out), (std::vector<std::uint32_t>{157, 157, 7, 7, 7, 7}));
  src.paintRow(0, 0, std::vector<ColourValue>(2, 0x0A1428));
  src.paintRow(0, 1, std::vector<ColourValue>(2, 0x1E3C78));
  zoomPicture(src, -1, 0, 0, out);
  EXPECT_EQ(out.readPixel(0, 0), 0x142850u);
}

} // namespace
} // namespace hs
