#include "core/MapView.h"
#include "core/ZoomPicture.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

namespace hs {
namespace {

TEST(Zoom, PanePointsAndMapPixelsAtEveryZoom) {
  for (const auto &row : test::dataTable("zoom_points.txt")) {
    const auto z = test::numbers(row[0]), pane = test::numbers(row[1]), map = test::numbers(row[2]),
               back = test::numbers(row[3]), span = test::numbers(row[4]);
    MapView v;
    std::tie(v.zoom, v.scrollX, v.scrollY) = std::tuple(z[0], z[1], z[2]);
    const Point m = v.mapPointAt(pane[0], pane[1]);
    const Point p = v.panePointOf(m.x, m.y);
    const long long zoomed = static_cast<long long>(pane[0]) + v.scrollX;
    EXPECT_EQ(std::tuple(m.x, m.y, p.x, p.y, v.firstMapPixelAt(zoomed), v.lastMapPixelAt(zoomed)),
              std::tuple(map[0], map[1], back[0], back[1], span[0], span[1]))
        << row[0] << " | " << row[1];
  }
  MapView far; // saturated, not wrapped
  std::tie(far.zoom, far.scrollX) = std::pair(-4, 2'000'000'000);
  EXPECT_EQ(std::tuple(far.mapPointAt(2'000'000'000, 0).x, zoomedSize(400, 2), zoomedSize(401, -2),
                       zoomedSize(3, -4)),
            std::tuple(2147483647, 1600, 101, 1));
}

// A partly covered screen pixel averages the pixels there are.
TEST(Zoom, BlocksInAndAveragesOut) {
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
