#include "placement/Mouse.h"
#include "placement/Edit.h"
#include "placement/Readout.h"
#include "placement/Tool.h"
#include "view/Redraw.h"

#include "Fakes.h"
#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

struct MouseFixture : PlacementFixture {
  void click(int x, int y, int button = kLeftButton) {
    mousePress(s, v, x, y, button);
    mouseRelease(s, v, x, y, button);
  }
  void dragFromTo(int x1, int y1, int x2, int y2, int button = kLeftButton) {
    mousePress(s, v, x1, y1, button);
    mouseDrag(s, v, (x1 + x2) / 2, (y1 + y2) / 2, button);
    mouseDrag(s, v, x2, y2, button);
    mouseRelease(s, v, x2, y2, button);
  }
};

TEST_F(MouseFixture, CameraPickWaitsForTheMapThenAppliesTheDialogAndReturns) {
  v.modes.selectTool(LineFill);
  v.modes.enter(PlaceCamera);
  s.viewWidth = 500; // the pane is wider than the map
  click(450, 30);
  EXPECT_EQ(v.modes.mode(), PlaceCamera);
  s.scrollX = 10;
  s.scrollY = 20;
  const int showsBefore = pane.showCount;
  ScItem duringDialog;
  window.cameraDialog = [&] {
    duringDialog = s.camera;
    EXPECT_GT(pane.showCount, showsBefore); // redrawn while the dialog is open
    v.cameraHeightMode = AboveGround;
    v.cameraHeight = 2.5f;
  };
  click(120, 80);
  EXPECT_EQ(std::pair(duringDialog.x, duringDialog.z), std::pair(130.0, 100.0));
  EXPECT_EQ(s.camera, (ScItem{130, 230, 100, AboveGround, 2.5}));
  EXPECT_EQ(v.modes.mode(), LineFill);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"pick 0", "mode 2"}));
}

TEST_F(MouseFixture, WaterPickOffTheMapGivesZeroAndEndsTheMode) {
  v.waterLevel = 77;
  v.modes.selectTool(BoxFill);
  v.modes.enter(GetWater);
  s.viewHeight = 500;
  click(10, 450);
  EXPECT_EQ(window.calls, (std::vector<std::string>{"water 0", "tools 3"}));
  EXPECT_EQ(std::pair(v.waterLevel, v.modes.mode()), std::pair(0.0f, int(BoxFill)));

  v.modes.selectTool(GetWater);
  click(100, 20);
  EXPECT_EQ(v.waterLevel, 120.0f);
  EXPECT_EQ(s.objectCount(), 0);
}

TEST_F(MouseFixture, PressAndReleaseAtOnePointDoNothingInFillAndDeleteModes) {
  add(0, 100, 100);
  for (int mode : {LineFill, BoxFill, CircleFill, DeleteObjects}) {
    v.modes.selectTool(mode);
    click(90, 90);
    // Out and back: the figure drawn on the way goes again.
    mousePress(s, v, 90, 90, kLeftButton);
    mouseDrag(s, v, 120, 130, kLeftButton);
    mouseDrag(s, v, 90, 90, kLeftButton);
    mouseRelease(s, v, 90, 90, kLeftButton);
    EXPECT_EQ(std::tuple(s.objectCount(), pane.showCount, pane.xorFigures().size()),
              std::tuple(1LL, 0, 0ul))
        << mode;
  }
}

TEST_F(MouseFixture, FillsRunFromThePressToTheReleasePoint) {
  v.modes.selectTool(LineFill);
  v.fillCount = 5;
  s.scrollX = 100;
  dragFromTo(10, 10, 50, 10);
  ASSERT_EQ(s.objects[0].count(), 5);
  EXPECT_EQ(s.objects[0][0].x, 110);
  EXPECT_EQ(s.objects[0][4], (ScItem{150, 160, 10, AboveGround, 0.0}));
  EXPECT_EQ(std::pair(pane.showCount, pane.xorFigures().size()), std::pair(1, 0ul));

  // A release with no drag step on the way still ends the line there.
  mousePress(s, v, 10, 20, kLeftButton);
  mouseRelease(s, v, 30, 20, kLeftButton);
  ASSERT_EQ(s.objects[0].count(), 10);
  EXPECT_EQ(s.objects[0][9].x, 130);

  // Released off the map: nothing placed, nothing redrawn, no band left.
  s.objects[0].clear();
  s.scrollX = 0;
  s.viewWidth = 500;
  const int shows = pane.showCount;
  dragFromTo(300, 10, 450, 10);
  EXPECT_EQ(std::pair(s.objectCount(), pane.xorFigures().size()), std::pair(0LL, 0ul));
  EXPECT_EQ(pane.showCount, shows);
}

// Objects missing from a fill cut short by the object limit are explained.
TEST_F(MouseFixture, AFillStoppedByTheObjectLimitSaysHowManyItPlaced) {
  s.budget.limit = 30;
  for (int i = 0; i < 5; ++i)
    s.objects[1].append(i, 0, 0, AboveGround, 0);
  v.modes.selectTool(BoxFill);
  dragFromTo(10, 10, 20, 20); // 100 objects asked for
  EXPECT_EQ(s.objects[0].count(), 25);
  ASSERT_EQ(window.notices.size(), 1u);
  EXPECT_NE(window.notices[0].second.find(" 25 "), std::string::npos) << window.notices[0].second;

  s.budget.limit = 1000;
  dragFromTo(10, 10, 20, 20); // fits: no notice
  EXPECT_EQ(window.notices.size(), 1u);
}

TEST_F(MouseFixture, RubberBandsFollowThePointerAndRemoveThemselves) {
  v.modes.selectTool(LineFill);
  mousePress(s, v, 50, 60, kLeftButton);
  mouseDrag(s, v, 70, 80, kLeftButton);
  EXPECT_EQ(pane.xorFigures(), (std::set<std::string>{"xorLine 50 60 70 80"}));
  mouseDrag(s, v, 90, 65, kLeftButton);
  EXPECT_EQ(pane.xorFigures(), (std::set<std::string>{"xorLine 50 60 90 65"}));
  mouseRelease(s, v, 90, 65, kLeftButton);
  EXPECT_TRUE(pane.xorFigures().empty());

  pane.calls.clear();
  v.modes.selectTool(DeleteObjects);
  mousePress(s, v, 50, 60, kLeftButton);
  mouseDrag(s, v, 20, 90, kLeftButton);
  EXPECT_EQ(pane.xorFigures(), (std::set<std::string>{"xorRect 20 60 50 90"}));
  mouseRelease(s, v, 20, 90, kLeftButton);
  EXPECT_TRUE(pane.xorFigures().empty());

  // The circle's box runs from the pointer to its mirror image through the
  // centre, with the ellipse inside it.
  pane.calls.clear();
  v.modes.selectTool(CircleFill);
  mousePress(s, v, 100, 100, kLeftButton);
  mouseDrag(s, v, 130, 90, kLeftButton);
  EXPECT_EQ(pane.xorFigures(),
            (std::set<std::string>{"xorEllipse 70 90 130 110", "xorRect 70 90 130 110"}));
  // A full redraw covers the band; the next step must not draw the old one
  // back.
  s.repaint();
  mouseDrag(s, v, 120, 120, kLeftButton);
  EXPECT_EQ(pane.xorFigures(),
            (std::set<std::string>{"xorEllipse 80 80 120 120", "xorRect 80 80 120 120"}));
}

TEST_F(MouseFixture, SingleClickPlacesAtTheReleasePointButNeverWithTheRightButton) {
  v.currentType = 2;
  mousePress(s, v, 10, 10, kLeftButton);
  mouseRelease(s, v, 20, 30, kLeftButton);
  EXPECT_EQ(s.objects[2][0], (ScItem{20, 50, 30, AboveGround, 0.0}));
  click(40, 40, kMiddleButton);
  EXPECT_EQ(s.objects[2].count(), 2);
  click(25, 35, kRightButton); // 10 away: nothing, and nothing placed
  EXPECT_EQ(s.objects[2].count(), 2);
  click(24, 35, kRightButton); // 9 away: deleted
  EXPECT_EQ(s.objects[2].count(), 1);
  EXPECT_EQ(s.objects[2][0].x, 40);
  s.viewWidth = 500;
  click(450, 10);
  EXPECT_EQ(s.objects[2].count(), 1);
}

TEST_F(MouseFixture, MoveDragsTheItemsImageAndDropsItThere) {
  v.modes.selectTool(MoveObject);
  add(3, 100, 100);
  mousePress(s, v, 102, 101, kLeftButton);
  EXPECT_EQ(s.pickKind, PickObject);
  pane.calls.clear();
  mouseDrag(s, v, 150, 120, kLeftButton);
  EXPECT_EQ(pane.calls, (std::vector<std::string>{"show 0 0 400 400", "icon 146 116 7 7"}));
  mouseRelease(s, v, 150, 120, kLeftButton);
  EXPECT_EQ(s.objects[3][0], (ScItem{150, 14, 120, AboveGround, 0.0}));

  // The camera moves with its own image; nothing picked, nothing drawn.
  mousePress(s, v, 50, 50, kLeftButton);
  pane.calls.clear();
  mouseDrag(s, v, 60, 60, kLeftButton);
  EXPECT_EQ(pane.calls.back(), "icon 56 56 15 15");
  mouseRelease(s, v, 60, 60, kLeftButton);
  EXPECT_EQ(s.camera.x, 60);
}

TEST_F(MouseFixture, ExtraPressesCountOnlyInTheFillModes) {
  v.modes.selectTool(LineFill);
  mousePress(s, v, 10, 10, kLeftButton);
  mousePress(s, v, 20, 20, kRightButton);
  EXPECT_EQ(std::tuple(s.clickCount, s.firstPoint, s.lastPoint),
            std::tuple(2, Point{10, 10}, Point{20, 20}));
  mouseRelease(s, v, 20, 20, kRightButton);
  EXPECT_EQ(s.clickCount, 0);
  v.modes.selectTool(DeleteObjects);
  mousePress(s, v, 10, 10, kLeftButton);
  mousePress(s, v, 20, 20, kRightButton);
  EXPECT_EQ(s.clickCount, 1);
}

// A scene no window or pane has attached still takes every gesture of every
// mode: the stand-ins do nothing, and what the model does still happens.
TEST(MouseUnattached, EveryModeTakesAGestureWithNoWindowOrPane) {
  // The one object there, what the gesture adds (one object, a fill of 3, a
  // box of 3 x 3, the part of a circle of 3 on the map) and the one Return
  // places.
  const long long objects[kModeCount] = {3, 5, 11, 3, 2, 2, 2, 2, 2, 2, 2, 2};
  for (int mode = 0; mode < kModeCount; ++mode) {
    Scene s;
    ProgramValues v;
    v.fillCount = 3;
    v.modes.selectTool(mode);
    paintRampMap(s);
    s.objects[0].append(20, 0, 20, AboveGround, 0);
    mousePress(s, v, 20, 20, kLeftButton);
    mouseDrag(s, v, 60, 50, kLeftButton);
    mouseRelease(s, v, 60, 50, kLeftButton);
    keyIn(s, v, Key::Return, false);
    SCOPED_TRACE(mode);
    EXPECT_EQ(s.clickCount, 0);
    EXPECT_EQ(s.rubberBand.figure, RubberFigure::None);
    EXPECT_EQ(s.objectCount(), objects[mode]);
  }
}

// The status texts of every mode, from the one table of tools.
TEST(ModeTable, EveryModeHasItsStatusTexts) {
  const auto rows = test::dataTable("mode_texts.txt");
  ASSERT_EQ(rows.size(), std::size_t{kModeCount});
  const auto unquoted = [](const std::string &f) {
    return f == "-" ? f : f.substr(1, f.size() - 2);
  };
  for (int mode = 0; mode < kModeCount; ++mode) {
    const char *label = modeLabel(mode);
    EXPECT_EQ(modeEntryText(mode), unquoted(rows[mode][0]));
    EXPECT_EQ(label ? label : "-", unquoted(rows[mode][1]));
  }
  EXPECT_STREQ(modeEntryText(-1), "");
  EXPECT_STREQ(modeEntryText(kModeCount), "");
  EXPECT_EQ(modeLabel(kModeCount), nullptr);
}

} // namespace
} // namespace hs
