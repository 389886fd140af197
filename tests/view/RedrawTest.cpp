#include "view/Redraw.h"

#include "support/FakeSurface.h"
#include "terrain/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace hs {
namespace {

constexpr ColourValue kGrey = 0x808080;

// A Targa-like map whose pixel (x, y) is the built-in colour of index
// (x + y) % 256.
void paintRamp(Scene &s) {
  for (int y = 0; y < s.mapHeight; ++y)
    for (int x = 0; x < s.mapWidth; ++x)
      s.baseImage.writePixel(x, y, defaultPalette()[static_cast<std::size_t>((x + y) % 256)]);
}

void resize(Scene &s, int w, int h) {
  s.baseImage = LRMemoryDC(w, h);
  s.viewImage = LRMemoryDC(w, h);
  s.baseImage.clear();
  s.setMapSize(w, h);
}

void moveOffMap(Scene &s) {
  s.camera.x = s.camera.z = -100;
  s.lookAt.x = s.lookAt.z = -100;
}

TEST(BorderHit, EveryDirectionOfTheTable) {
  Scene s; // 400 x 400
  const PointD v{100, 100};
  struct Case {
    double dx, dz;
    double x, z;
  };
  const Case cases[] = {
      {-1, -1, 0, 0},   {0, -1, 100, 0},  {1, -1, 200, 0}, {4, -1, 400, 25},
      {-1, 0, 0, 100},  {1, 0, 400, 100}, {-1, 1, 0, 200}, {0, 1, 100, 400},
      {1, 1, 400, 400}, {-1, -4, 75, 0},  {-4, -1, 0, 75}, {1, 4, 175, 400},
  };
  for (const Case &c : cases) {
    const PointD r = borderHitExact(s, v, {v.x + c.dx, v.z + c.dz});
    EXPECT_NEAR(r.x, c.x, 1e-9) << c.dx << "," << c.dz;
    EXPECT_NEAR(r.z, c.z, 1e-9) << c.dx << "," << c.dz;
  }
  EXPECT_EQ(borderHit(s, {200, 200}, {201, 199.4}), (Point{400, 80}));
}

// Looking straight up visits all four corners; toward the top-right corner, three.
TEST(ViewPolygon, RaysMeetTheBordersAndTheCornersBetweenThemAreVisited) {
  const struct {
    PointD camera, lookAt;
    std::vector<Point> want;
  } cases[] = {
      {{200, 300},
       {200, 100},
       {{200, 300}, {32, 0}, {0, 0}, {0, 400}, {400, 400}, {400, 0}, {367, 0}, {200, 300}}},
      {{200, 200},
       {400, 0},
       {{200, 200}, {256, 0}, {0, 0}, {0, 400}, {400, 400}, {400, 143}, {200, 200}}}};
  for (const auto &c : cases) {
    Scene s;
    s.camera.x = c.camera.x;
    s.camera.z = c.camera.z;
    s.lookAt.x = c.lookAt.x;
    s.lookAt.z = c.lookAt.z;
    EXPECT_EQ(viewPolygon(s, 34), c.want);
  }
}

TEST(ViewPolygon, CoincidentOrBrokenPositionsShadeNothing) {
  Scene s;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  s.lookAt = s.camera;
  EXPECT_TRUE(viewPolygon(s, 34).empty());
  s.camera.x = NAN;
  EXPECT_TRUE(viewPolygon(s, 34).empty());
  s.camera.x = 1e300;
  s.lookAt.x = -1e300;
  ProgramValues values;
  s.showView = 1;
  redraw(s, values); // must simply not fail
  EXPECT_EQ(pane.showCount, 1);
}

// The shading itself is pinned by the golden image below.
TEST(DrawView, LeavesGreyPenAndBrushAndTheHeightsAlone) {
  Scene s;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  ProgramValues values;
  s.showView = 1;
  redraw(s, values);
  EXPECT_EQ(s.viewImage.readPixel(200, 380), kGrey); // behind the camera
  EXPECT_EQ(s.viewImage.brush().colour, unseenColour);
  EXPECT_EQ(pane.pen.colour, unseenColour);
  EXPECT_EQ(s.baseImage.readPixel(200, 380), 0xFFFFFFu);
}

TEST(Redraw, ShowsTheScrolledWindowOnThePane) {
  Scene s;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  s.scrollX = 190;
  s.scrollY = 290;
  s.viewWidth = 100;
  s.viewHeight = 50;
  ProgramValues values;
  redraw(s, values);
  EXPECT_EQ(pane.calls.back(), "show 190 290 100 50");
  // The camera icon's top-left pixel is at map (193, 293).
  EXPECT_EQ(pane.paneAt(3, 3), cameraIcon().at(0, 0));
  EXPECT_EQ(pane.paneAt(4, 5), cameraIcon().at(1, 2));
}

TEST(Redraw, MarkersAreTruncatedTowardZeroAndClipped) {
  Scene s;
  s.baseImage.writePixel(0, 0, 0x010203);
  ProgramValues values;
  s.objects[0].append(2.5, 0, 3.9, AboveGround, 0);
  s.objects[9].append(398.9, 0, 399.9, AboveGround, 0);
  redraw(s, values);
  const vIcon &one = builtinMarkers()[0];
  // Top-left corner at (-1, 0): image column c shows marker column c + 1.
  EXPECT_EQ(s.viewImage.readPixel(0, 0), one.at(1, 0));
  EXPECT_EQ(s.viewImage.readPixel(5, 6), one.at(6, 6));
  EXPECT_EQ(s.viewImage.readPixel(6, 0), 0xFFFFFFu);
  // Near the far corner: top-left (394, 395), the rest clipped.
  const vIcon &ten = builtinMarkers()[9];
  EXPECT_EQ(s.viewImage.readPixel(395, 396), ten.at(1, 1));
  EXPECT_EQ(s.viewImage.readPixel(399, 399), ten.at(5, 4));
}

TEST(Water, LevelsZeroAndTopOnBothMapTypes) {
  Scene s;
  resize(s, 256, 2);
  for (int x = 0; x < 256; ++x) {
    s.baseImage.writePixel(x, 0, defaultPalette()[static_cast<std::size_t>(x)]);
    s.baseImage.writePixel(x, 1, defaultPalette()[static_cast<std::size_t>(x)]);
  }
  moveOffMap(s);
  ProgramValues values;
  s.showWater = 1;
  redraw(s, values);
  const ColourValue water = waterColour.value();
  EXPECT_EQ(s.viewImage.readPixel(0, 1), water);
  EXPECT_EQ(s.viewImage.readPixel(1, 1), s.baseImage.readPixel(1, 1));
  values.waterLevel = 255.9f; // truncated to 255
  redraw(s, values);
  EXPECT_EQ(s.viewImage.readPixel(255, 1), water);
  // A PPM map compares the 16-bit height: red + 256 * green.
  s.hfType = 1;
  s.baseImage.writePixel(3, 0, 0x000201); // 513
  s.baseImage.writePixel(4, 0, 0xFF0202); // 514, blue ignored
  values.waterLevel = 513;
  redraw(s, values);
  EXPECT_EQ(s.viewImage.readPixel(3, 0), water);
  EXPECT_EQ(s.viewImage.readPixel(4, 0), 0xFF0202u);
}

TEST(Redraw, AReportedChangeRedrawsOnceInstalled) {
  Scene s;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  ProgramValues values;
  installRedraw(s, values);
  s.objects[4].append(50, 0, 50, AboveGround, 0);
  redraw(s, values);
  EXPECT_EQ(s.viewImage.readPixel(47, 47), builtinMarkers()[4].at(1, 1));
  killAll(s);
  EXPECT_EQ(pane.showCount, 1); // a change nobody reports redraws nothing
  s.changed(Change::Objects);
  EXPECT_EQ(pane.showCount, 2);
  EXPECT_EQ(s.viewImage.readPixel(47, 47), 0xFFFFFFu);
}

// A full redraw of a small scene, pixel for pixel. Set HS_WRITE_GOLDEN=1 to
// write the file anew after a deliberate change, then look at it.
TEST(Redraw, GoldenImageOfAFullRedraw) {
  Scene s;
  resize(s, 48, 40);
  paintRamp(s);
  ProgramValues values;
  values.waterLevel = 30;
  values.showOrder = 1;
  s.showWater = 1;
  s.showView = 1;
  s.camera.x = 24;
  s.camera.z = 33.5;
  s.lookAt.x = 30;
  s.lookAt.z = 8;
  s.objects[0].append(5, 0, 5, AboveGround, 0);
  s.objects[0].append(20, 0, 12, AboveGround, 0);
  s.objects[0].append(40, 0, 6, AboveGround, 0);
  s.objects[11].append(44.7, 0, 36.2, AboveGround, 0);
  s.objects[11].append(33, 0, 18, AboveGround, 0);
  redraw(s, values);

  const std::string path = std::string(HS_TEST_DATA) + "/redraw_golden.ppm";
  std::string bytes = "P6\n48 40\n255\n";
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 48; ++x) {
      const vColor c = vColor::fromValue(s.viewImage.readPixel(x, y));
      bytes += static_cast<char>(c.r());
      bytes += static_cast<char>(c.g());
      bytes += static_cast<char>(c.b());
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
