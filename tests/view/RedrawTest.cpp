#include "view/Redraw.h"

#include "support/FakeSurface.h"
#include "terrain/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

// A 400 x 400 scene shown on a fake pane.
struct RedrawFixture : ::testing::Test {
  Scene s;
  test::FakeSurface pane;
  ProgramValues values;
  RedrawFixture() { s.attachSurface(&pane); }
  void aim(PointD camera, PointD look) {
    std::tie(s.camera.x, s.camera.z, s.lookAt.x, s.lookAt.z) =
        std::tuple(camera.x, camera.z, look.x, look.z);
  }
};

// The border point on the ray from (100, 100) in each direction (dx, dz).
TEST(BorderHit, EveryDirectionOfTheTable) {
  Scene s; // 400 x 400
  const double cases[][4] = {
      {-1, -1, 0, 0},   {0, -1, 100, 0},  {1, -1, 200, 0}, {4, -1, 400, 25},
      {-1, 0, 0, 100},  {1, 0, 400, 100}, {-1, 1, 0, 200}, {0, 1, 100, 400},
      {1, 1, 400, 400}, {-1, -4, 75, 0},  {-4, -1, 0, 75}, {1, 4, 175, 400},
  };
  for (const auto &[dx, dz, x, z] : cases) {
    const PointD r = borderHitExact(s, {100, 100}, {100 + dx, 100 + dz});
    EXPECT_LT(std::hypot(r.x - x, r.z - z), 1e-9) << dx << "," << dz;
  }
  EXPECT_EQ(borderHit(s, {200, 200}, {201, 199.4}), (Point{400, 80}));
}

// Looking straight up visits all four corners; toward the top-right corner,
// three; coincident or broken positions shade nothing.
TEST_F(RedrawFixture, ViewPolygonMeetsTheBordersAndVisitsTheCornersBetween) {
  aim({200, 300}, {200, 100});
  EXPECT_EQ(
      viewPolygon(s, 34),
      (std::vector<Point>{
          {200, 300}, {32, 0}, {0, 0}, {0, 400}, {400, 400}, {400, 0}, {367, 0}, {200, 300}}));
  aim({200, 200}, {400, 0});
  EXPECT_EQ(viewPolygon(s, 34),
            (std::vector<Point>{
                {200, 200}, {256, 0}, {0, 0}, {0, 400}, {400, 400}, {400, 143}, {200, 200}}));
  s.lookAt = s.camera;
  EXPECT_TRUE(viewPolygon(s, 34).empty());
  s.camera.x = NAN;
  EXPECT_TRUE(viewPolygon(s, 34).empty());
  aim({1e300, 200}, {-1e300, 200});
  s.showView = 1;
  redraw(s, values); // must simply not fail
  EXPECT_EQ(pane.showCount, 1);
}

// The pane shows the scrolled window; the view's shading (pinned by the golden
// image below) leaves a grey pen and brush and the heights alone.
TEST_F(RedrawFixture, ShowsTheScrolledWindowAndShadesTheViewGrey) {
  std::tie(s.scrollX, s.scrollY, s.viewWidth, s.viewHeight) = std::tuple(190, 290, 100, 50);
  s.showView = 1;
  redraw(s, values);
  // The camera icon's top-left pixel is at map (193, 293); (200, 380) is behind the camera.
  EXPECT_EQ(std::tuple(pane.calls.back(), pane.paneAt(3, 3), pane.paneAt(4, 5)),
            std::tuple("show 190 290 100 50", cameraIcon().at(0, 0), cameraIcon().at(1, 2)));
  EXPECT_EQ(std::tuple(s.viewImage.readPixel(200, 380), s.baseImage.readPixel(200, 380)),
            std::tuple(0x808080u, 0xFFFFFFu));
  EXPECT_EQ(std::tuple(s.viewImage.brush().colour, pane.pen.colour),
            std::tuple(unseenColour, unseenColour));
}

TEST_F(RedrawFixture, MarkersAreTruncatedTowardZeroAndClipped) {
  s.baseImage.writePixel(0, 0, 0x010203);
  s.objects[0].append(2.5, 0, 3.9, AboveGround, 0);
  s.objects[9].append(398.9, 0, 399.9, AboveGround, 0);
  redraw(s, values);
  const vIcon &one = builtinMarkers()[0];
  const vIcon &ten = builtinMarkers()[9];
  // Top-left corners at (-1, 0): image column c shows marker column c + 1; and
  // at (394, 395), the rest clipped.
  const LRMemoryDC &v = s.viewImage;
  EXPECT_EQ(std::tuple(v.readPixel(0, 0), v.readPixel(5, 6), v.readPixel(6, 0),
                       v.readPixel(395, 396), v.readPixel(399, 399)),
            std::tuple(one.at(1, 0), one.at(6, 6), 0xFFFFFFu, ten.at(1, 1), ten.at(5, 4)));
}

// On a PPM map the water compares the 16-bit height, red + 256 * green; the
// Targa comparison and the level's truncation are pinned by the golden image.
TEST_F(RedrawFixture, WaterOnAPpmMapComparesTheSixteenBitHeight) {
  s.hfType = 1;
  s.showWater = 1;
  s.baseImage.writePixel(3, 0, 0x000201); // 513
  s.baseImage.writePixel(4, 0, 0xFF0202); // 514, blue ignored
  values.waterLevel = 513;
  redraw(s, values);
  EXPECT_EQ(std::tuple(s.viewImage.readPixel(3, 0), s.viewImage.readPixel(4, 0)),
            std::tuple(waterColour.value(), 0xFF0202u));
}

TEST_F(RedrawFixture, AReportedChangeRedrawsOnceInstalled) {
  installRedraw(s, values);
  s.objects[4].append(50, 0, 50, AboveGround, 0);
  redraw(s, values);
  EXPECT_EQ(s.viewImage.readPixel(47, 47), builtinMarkers()[4].at(1, 1));
  killAll(s);
  EXPECT_EQ(pane.showCount, 1); // a change nobody reports redraws nothing
  s.changed(Change::Objects);
  EXPECT_EQ(std::tuple(pane.showCount, s.viewImage.readPixel(47, 47)), std::tuple(2, 0xFFFFFFu));
}

// A full redraw of a small Targa ramp (index x + y) with water at 30.9, so
// truncated to 30, the view, markers and order lines, pixel for pixel. Set
// HS_WRITE_GOLDEN=1 to write the file anew after a deliberate change, then look at it.
TEST_F(RedrawFixture, GoldenImageOfAFullRedraw) {
  s.baseImage = LRMemoryDC(48, 40);
  s.viewImage = LRMemoryDC(48, 40);
  s.setMapSize(48, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 48; ++x)
      s.baseImage.writePixel(x, y, defaultPalette()[static_cast<std::size_t>(x + y)]);
  values.waterLevel = 30.9f;
  values.showOrder = s.showWater = s.showView = 1;
  aim({24, 33.5}, {30, 8});
  const std::tuple<std::size_t, double, double> markers[] = {
      {0, 5, 5}, {0, 20, 12}, {0, 40, 6}, {11, 44.7, 36.2}, {11, 33, 18}};
  for (const auto &[type, x, z] : markers)
    s.objects[type].append(x, 0, z, AboveGround, 0);
  redraw(s, values);

  const std::string path = std::string(HS_TEST_DATA) + "/redraw_golden.ppm";
  std::string bytes = "P6\n48 40\n255\n";
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 48; ++x) {
      const vColor c = vColor::fromValue(s.viewImage.readPixel(x, y));
      bytes += {static_cast<char>(c.r()), static_cast<char>(c.g()), static_cast<char>(c.b())};
    }
  if (std::getenv("HS_WRITE_GOLDEN")) {
    std::ofstream(path, std::ios::binary) << bytes;
    GTEST_SKIP() << "wrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  const std::string want{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto diff = std::mismatch(bytes.begin(), bytes.end(), want.begin(), want.end());
  EXPECT_TRUE(diff.first == bytes.end() && diff.second == want.end())
      << "first difference at byte " << diff.first - bytes.begin();
}

} // namespace
} // namespace hs
