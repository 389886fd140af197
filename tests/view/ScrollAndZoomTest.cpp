#include "view/Redraw.h"
#include "view/Scroll.h"

#include "support/Documents.h"
#include "support/FakeSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

constexpr ScrollAxis H = ScrollAxis::Horizontal;
constexpr ScrollAxis V = ScrollAxis::Vertical;

struct ScrollFixture : ::testing::Test {
  Scene s;
  test::FakeSurface pane;
  void SetUp() override { s.attachSurface(&pane); }
  std::string lastCall(const char *kind) {
    for (auto it = pane.calls.rbegin(); it != pane.calls.rend(); ++it)
      if (it->rfind(kind, 0) == 0)
        return *it;
    return "";
  }
};

struct ZoomFixture : ScrollFixture {
  ProgramValues values;
  void SetUp() override {
    ScrollFixture::SetUp();
    installRedraw(s, values);
    resizePane(s, 200, 100);
  }
};

// Trough clicks page and thumb moves jump.
TEST_F(ScrollFixture, ResizeGoesBackToTheCornerAndHidesABarWhenTheMapFitsAndBarsScroll) {
  std::tie(s.scrollX, s.scrollY) = std::pair(30, 40);
  resizePane(s, 200, 500);
  EXPECT_EQ(std::tuple(s.viewWidth, s.viewHeight, s.scrollX, s.scrollY),
            std::tuple(200, 500, 0, 0));
  EXPECT_EQ(pane.calls, (std::vector<std::string>{"background 18 19 138 0", "hbar 1 50 0 0",
                                                  "vbar 0 125 0 0", "show 0 0 200 500"}));
  resizePane(s, 400, 399);
  EXPECT_EQ(std::tuple(lastCall("hbar"), lastCall("vbar")),
            std::tuple("hbar 0 100 0 0", "vbar 1 99 0 0"));
  resizePane(s, 200, 400); // thumb 50%; steps of (size, position, offset after)
  const int steps[][3] = {{50, 60, 50},  {50, 80, 100}, {40, 25, 50}, {40, 0, 0},
                          {50, 25, 100}, {50, 10, 40},  {50, 99, 90}};
  for (const auto &[size, pos, want] : steps) {
    pageTo(s, H, size, pos);
    EXPECT_EQ(s.scrollX, want) << size << "," << pos;
  }
  EXPECT_EQ(lastCall("show"), "show 90 0 200 400");
  for (int i = 0; i < 6; ++i)
    pageTo(s, H, 50, 99);
  EXPECT_EQ(s.scrollX, 200);
  resizePane(s, 400, 100);
  pageTo(s, V, 25, 20);
  EXPECT_EQ(s.scrollY, 80);
}

TEST(WindowFit, TheLargestZoomThatFitsNinetyPercentOfTheScreen) {
  EXPECT_EQ(fitWindowToMap(400, 400, 20, 150, 1920, 1080), (WindowFit{820, 950, 1}));
  EXPECT_EQ(fitWindowToMap(4096, 4096, 20, 150, 1920, 1080), (WindowFit{532, 662, -3}));
  EXPECT_EQ(fitWindowToMap(400, 400, 20, 150, 640, 480), (WindowFit{500, 350, -1}));
  EXPECT_EQ(fitWindowToMap(400, 10, 20, 150, 1920, 1080), (WindowFit{1620, 300, 2}));
  EXPECT_EQ(fitWindowToMap(16384, 16384, 20, 150, 800, 600), (WindowFit{720, 540, -4}));
}

TEST_F(ZoomFixture, ZoomKeepsTheAnchorAndTheBarsFollow) {
  zoomTo(s, values, 2, 50, 20); // map (50, 20) is at zoomed (200, 80)
  EXPECT_EQ(std::tuple(s.zoom, s.scrollX, s.scrollY, s.mapPointAt(50, 20)),
            std::tuple(2, 150, 60, Point{50, 20}));
  EXPECT_EQ(std::tuple(lastCall("hbar"), lastCall("vbar"), lastCall("show")),
            std::tuple("hbar 1 12 9 0", "vbar 1 6 3 0", "show 0 0 200 100"));
  zoomTo(s, values, 9, 0, 0); // no further than 16x
  EXPECT_EQ(std::tuple(s.zoom, s.scrollX, s.mapPointAt(0, 0).x), std::tuple(4, 600, 37));
  zoomTo(s, values, -3, 199, 99); // the whole map fits: back to the corner
  EXPECT_EQ(std::tuple(s.zoom, s.scrollX, s.scrollY, lastCall("hbar")),
            std::tuple(-3, 0, 0, "hbar 0 400 0 0"));
  EXPECT_EQ(fitZoom(400, 400, 200, 100), -2);
  EXPECT_EQ(fitZoom(400, 400, 400, 400), 0);
  EXPECT_EQ(fitZoom(50, 10, 800, 800), 4);
  EXPECT_EQ(fitZoom(16384, 16384, 300, 300), -4); // none fits
  fitMap(s, values);
  EXPECT_EQ(std::tuple(s.zoom, s.scrollX), std::tuple(-2, 0));
}

TEST_F(ZoomFixture, ZoomedTheMarksAreDrawnOnThePaneAtTheirOwnSize) {
  test::paintMap(s.document(), [](int, int) { return vColor(0, 0, 200).value(); });
  values.showOrder = 1;
  s.document().append(2, 10, 0, 10, AboveGround, 0);
  s.document().append(2, 20, 0, 10, AboveGround, 0);
  s.document().setCamera(ScItem{30, 0, 5, AboveWater, 1.0});
  zoomTo(s, values, 2, 0, 0);
  LRMemoryDC icon(15, 15);
  icon.fill(vColor(0, 0, 200));
  icon.drawIcon(cameraIcon(), 0, 0);
  for (int i = 0; i < 15 * 15; ++i)
    ASSERT_EQ(pane.shown.readPixel(115 + i % 15, 15 + i / 15), icon.readPixel(i % 15, i / 15)) << i;
  const std::uint32_t marker = builtinMarkers()[2].at(1, 1);
  // The order line inverts the blue map between the markers.
  EXPECT_EQ(
      std::tuple(s.viewImage.readPixel(7, 7), pane.shown.readPixel(39, 39),
                 pane.shown.readPixel(60, 42), pane.shown.readPixel(150, 90)),
      std::tuple(ColourValue(0xC80000), marker, ColourValue(0x37FFFF), ColourValue(0xC80000)));
  zoomTo(s, values, 0, 0, 0);
  EXPECT_EQ(std::tuple(s.viewImage.readPixel(7, 7), pane.shown.readPixel(7, 7)),
            std::tuple(marker, marker));
}

} // namespace
} // namespace hs
