#include "placement/Readout.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

using Calls = std::vector<std::string>;

// (units, scales, map size, map point and sample, text); a map one pixel
// across reads as its centre.
TEST_F(PlacementFixture, ReadoutInThreeUnits) {
  const struct {
    int units;
    float sx, sy, sz;
    int size, x, sample, z;
    const char *text;
  } cases[] = {
      {0, 100, 10, 100, 400, 0, 255, 0, " X,C,Y : 0,255,0 "},
      {1, 100, 10, 100, 400, 0, 255, 0, " x,y,z : .-498, .1000, .498 "},
      {1, 100, 10, 100, 400, 399, 0, 399, " x,y,z : .501, .0, .-501 "},
      {1, 100, 10, 100, 400, 199, 128, 199, " x,y,z : .0, .501, .0 "},
      {2, 100, 10, 100, 400, 0, 255, 0, " X,Y,Z : -49.875,10.000,49.875 "},
      {2, 2, 1, 4, 400, 399, 51, 0, " X,Y,Z : 1.003,0.200,1.995 "},
      {1, 100, 10, 100, 1, 0, 10, 0, " x,y,z : .0, .39, .0 "},
      {2, 100, 10, 100, 1, 0, 255, 0, " X,Y,Z : 0.000,10.000,0.000 "},
  };
  for (const auto &c : cases) {
    std::tie(v.unitsMode, v.scaleX, v.scaleY, v.scaleZ) = std::tuple(c.units, c.sx, c.sy, c.sz);
    s.setMapSize(c.size, c.size);
    EXPECT_EQ(readoutText(s, v, c.x, c.sample, c.z), c.text);
  }
}

TEST_F(PlacementFixture, MotionReportsTheMapPointAndKeepsTheTextOffTheMap) {
  s.scrollX = 10;
  s.scrollY = 20;
  mouseMotion(s, v, 5, 6);
  EXPECT_EQ(window.readout, " X,C,Y : 15,41,26 ");
  EXPECT_EQ(std::pair(owner.cursorX, owner.cursorY), std::pair(15, 26));
  // A pure white pixel carries no height.
  s.baseImage.writePixel(40, 50, vColor(255, 255, 255).value());
  mouseMotion(s, v, 30, 30);
  EXPECT_EQ(window.readout, " X,C,Y : 15,41,26 ");
  EXPECT_EQ(std::pair(owner.cursorX, owner.cursorY), std::pair(40, 50));
  s.viewWidth = 600;
  mouseDrag(s, v, 500, 30, kLeftButton);
  EXPECT_EQ(window.readout, " X,C,Y : 15,41,26 ");
  EXPECT_EQ(owner.cursorX, 510);
  s.hfType = 1; // the readout reads the 8-bit sample whatever the map type
  mouseMotion(s, v, 0, 0);
  EXPECT_EQ(window.readout, " X,C,Y : 10,30,20 ");
}

// (pane size, scroll, pointer on the pane, what the five keys nudge): the
// pointer stays inside the visible part of the map.
TEST_F(PlacementFixture, ArrowsStayInsideTheVisibleMap) {
  const struct {
    int w, h, sx, sy, x, y;
    Calls nudges;
  } cases[] = {
      {400, 400, 0, 0, 0, 0, {"nudge 1 0", "nudge 0 1"}},
      {400, 400, 0, 0, 200, 100, {"nudge -1 0", "nudge 1 0", "nudge 0 -1", "nudge 0 1"}},
      {500, 450, 0, 0, 399, 399, {"nudge -1 0", "nudge 0 -1"}}, // the map's last column and row
      {300, 200, 50, 60, 0, 199, {"nudge 1 0", "nudge 0 -1"}},  // the pane's edges
      {300, 200, 50, 60, 298, 0, {"nudge -1 0", "nudge 1 0", "nudge 0 1"}},
      {300, 200, 50, 60, 299, 0, {"nudge -1 0", "nudge 0 1"}},
  };
  for (const auto &c : cases) {
    std::tie(s.viewWidth, s.viewHeight, s.scrollX, s.scrollY) = std::tuple(c.w, c.h, c.sx, c.sy);
    mouseMotion(s, v, c.x, c.y);
    window.calls.clear();
    for (Key k : {Key::Left, Key::Right, Key::Up, Key::Down, Key::Other})
      keyIn(s, v, k, false);
    EXPECT_EQ(window.calls, c.nudges) << c.x << "," << c.y;
  }
}

TEST_F(PlacementFixture, ReturnPlacesAtThePointerInEveryModeEvenOffTheMap) {
  v.currentType = 6;
  v.modes.selectTool(DeleteObjects);
  s.scrollX = 30;
  mouseMotion(s, v, 10, 20);
  keyIn(s, v, Key::Return, false);
  EXPECT_EQ(s.objects[6][0], (ScItem{40, 60, 20, AboveGround, 0.0}));
  s.viewWidth = 500;
  mouseMotion(s, v, 450, 10);
  keyIn(s, v, Key::Return, false);
  EXPECT_EQ(s.objects[6][1], (ScItem{480, -1, 10, AboveGround, 0.0}));
  // The height comes from the loaded map's own decoding, even when the file
  // type was changed by a load that failed.
  s.hfType = 1;
  owner.hfFileType = 0;
  mouseMotion(s, v, 10, 20);
  keyIn(s, v, Key::Return, false);
  ASSERT_EQ(s.objects[6].count(), 3);
  EXPECT_EQ(s.objects[6][2].y, 0); // red + 256 * green of the ramp
  EXPECT_EQ(v.modes.mode(), DeleteObjects);
}

} // namespace
} // namespace hs
