#include "placement/Readout.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <string>

namespace hs {
namespace {

struct ReadoutFixture : PlacementFixture {
  std::string text(int mapX, int sample, int mapZ) { return readoutText(s, v, mapX, sample, mapZ); }
};

TEST_F(ReadoutFixture, ThreeUnits) {
  EXPECT_EQ(text(0, 255, 0), " X,C,Y : 0,255,0 ");
  v.unitsMode = 1;
  EXPECT_EQ(text(0, 255, 0), " x,y,z : .-498, .1000, .498 ");
  EXPECT_EQ(text(399, 0, 399), " x,y,z : .501, .0, .-501 ");
  EXPECT_EQ(text(199, 128, 199), " x,y,z : .0, .501, .0 ");
  v.unitsMode = 2;
  EXPECT_EQ(text(0, 255, 0), " X,Y,Z : -49.875,10.000,49.875 ");
  v.scaleX = 2;
  v.scaleY = 1;
  v.scaleZ = 4;
  EXPECT_EQ(text(399, 51, 0), " X,Y,Z : 1.003,0.200,1.995 ");
}

TEST_F(ReadoutFixture, AMapOnePixelAcrossReadsAsItsCentre) {
  s.setMapSize(1, 1);
  v.unitsMode = 1;
  EXPECT_EQ(text(0, 10, 0), " x,y,z : .0, .39, .0 ");
  v.unitsMode = 2;
  EXPECT_EQ(text(0, 255, 0), " X,Y,Z : 0.000,10.000,0.000 ");
}

TEST_F(ReadoutFixture, MotionReportsTheMapPointAndKeepsTheTextOffTheMap) {
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

  // The readout reads the 8-bit sample whatever the map type.
  s.hfType = 1;
  mouseMotion(s, v, 0, 0);
  EXPECT_EQ(window.readout, " X,C,Y : 10,30,20 ");
}

TEST_F(ReadoutFixture, ArrowsStayInsideTheVisibleMap) {
  auto pressAll = [&] {
    window.calls.clear();
    for (Key k : {Key::Left, Key::Right, Key::Up, Key::Down, Key::Other})
      keyIn(s, v, k, false);
    return window.calls;
  };
  using Calls = std::vector<std::string>;
  mouseMotion(s, v, 0, 0);
  EXPECT_EQ(pressAll(), (Calls{"nudge 1 0", "nudge 0 1"}));
  mouseMotion(s, v, 200, 100);
  EXPECT_EQ(pressAll(), (Calls{"nudge -1 0", "nudge 1 0", "nudge 0 -1", "nudge 0 1"}));

  // A pane wider and taller than the map: the last map column and row stop it.
  s.viewWidth = 500;
  s.viewHeight = 450;
  mouseMotion(s, v, 399, 399);
  EXPECT_EQ(pressAll(), (Calls{"nudge -1 0", "nudge 0 -1"}));

  // Scrolled: the pane's edges stop it.
  s.viewWidth = 300;
  s.viewHeight = 200;
  s.scrollX = 50;
  s.scrollY = 60;
  mouseMotion(s, v, 0, 199);
  EXPECT_EQ(std::pair(owner.cursorX, owner.cursorY), std::pair(50, 259));
  EXPECT_EQ(pressAll(), (Calls{"nudge 1 0", "nudge 0 -1"}));
  mouseMotion(s, v, 298, 0);
  EXPECT_EQ(pressAll(), (Calls{"nudge -1 0", "nudge 1 0", "nudge 0 1"}));
  mouseMotion(s, v, 299, 0);
  EXPECT_EQ(pressAll(), (Calls{"nudge -1 0", "nudge 0 1"}));
}

TEST_F(ReadoutFixture, ReturnPlacesAtThePointerInEveryModeEvenOffTheMap) {
  v.currentType = 6;
  v.modes.selectTool(DeleteObjects);
  s.scrollX = 30;
  mouseMotion(s, v, 10, 20);
  keyIn(s, v, Key::Return, false);
  ASSERT_EQ(s.objects[6].count(), 1);
  EXPECT_EQ(s.objects[6][0], (ScItem{40, 60, 20, AboveGround, 0.0}));

  s.viewWidth = 500;
  mouseMotion(s, v, 450, 10);
  keyIn(s, v, Key::Return, false);
  ASSERT_EQ(s.objects[6].count(), 2);
  EXPECT_EQ(s.objects[6][1], (ScItem{480, -1, 10, AboveGround, 0.0}));

  // The height comes from the loaded map's own decoding, even when the file
  // type was changed by a load that failed.
  s.hfType = 1;
  owner.hfFileType = 0;
  mouseMotion(s, v, 10, 20);
  keyIn(s, v, Key::Return, false);
  EXPECT_EQ(s.objects[6][2].y, 0); // red + 256 * green of the ramp
  EXPECT_EQ(v.modes.mode(), DeleteObjects);
}

} // namespace
} // namespace hs
