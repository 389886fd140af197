#include "view/Redraw.h"
#include "view/Scroll.h"

#include "support/Documents.h"
#include "support/FakeSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

struct ZoomFixture : ::testing::Test {
  Scene s;
  test::FakeSurface pane;
  ProgramValues values;
  void SetUp() override {
    s.attachSurface(&pane);
    installRedraw(s, values);
    resizePane(s, 200, 100);
  }
  std::string lastCall(const char *kind) {
    for (auto it = pane.calls.rbegin(); it != pane.calls.rend(); ++it)
      if (it->rfind(kind, 0) == 0)
        return *it;
    return "";
  }
};

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
