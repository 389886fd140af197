#include "placement/Edit.h"
#include "view/Redraw.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace hs {
namespace {

struct EditFixture : PlacementFixture {
  std::vector<double> xs(int type) {
    std::vector<double> out;
    for (const ScItem &item : s.objects[static_cast<std::size_t>(type)])
      out.push_back(item.x);
    return out;
  }
};

TEST_F(EditFixture, PickReachesNinePixelsCityBlockNotTen) {
  add(0, 100, 100);
  EXPECT_EQ(findNearest(s, 104, 105), PickObject);  // 4 + 5
  EXPECT_EQ(findNearest(s, 105, 105), PickNothing); // 10
  EXPECT_EQ(findNearest(s, 91, 100), PickObject);
  // Positions count as whole pixels, truncated toward zero.
  s.objects[0].setAt(0, 100.9, 7, 100.9, 0, 0.0);
  EXPECT_EQ(findNearest(s, 109, 100), PickObject);
  EXPECT_EQ(findNearest(s, 110, 100), PickNothing);
  // Left of column 0 a position truncates up to 0.
  s.objects[0].setAt(0, -0.9, 7, 200, 0, 0.0);
  EXPECT_EQ(findNearest(s, 9, 200), PickObject);
  EXPECT_EQ(findNearest(s, 10, 200), PickNothing);
  s.objects[0].setAt(0, 100.9, 7, 100.9, 0, 0.0);
  // The pane point is shifted by the scroll position.
  s.scrollX = 80;
  s.scrollY = 90;
  EXPECT_EQ(findNearest(s, 20, 10), PickObject);
  EXPECT_EQ(findNearest(s, 100, 100), PickNothing);
}

TEST_F(EditFixture, PickTiesGoToTheItemMetFirst) {
  add(5, 200, 203);
  add(3, 203, 200);
  add(3, 200, 197);
  add(3, 197, 200);
  EXPECT_EQ(findNearest(s, 200, 200), PickObject);
  EXPECT_EQ(s.pickType, 3);  // the lower type wins
  EXPECT_EQ(s.pickIndex, 0); // and in one type the lower index
  add(3, 201, 200);
  EXPECT_EQ(findNearest(s, 200, 200), PickObject);
  EXPECT_EQ(s.pickIndex, 3); // nearer beats earlier
  // An object exactly on the camera is never picked while the camera is in reach.
  add(0, 50, 50);
  EXPECT_EQ(findNearest(s, 52, 51), PickCamera);
  EXPECT_EQ(s.pickType, 3); // unchanged when no object is found
  s.lookAt = s.camera;
  EXPECT_EQ(findNearest(s, 52, 51), PickCamera);
  s.camera.x = 55;
  EXPECT_EQ(findNearest(s, 52, 51), PickLookAt);
}

TEST_F(EditFixture, DeletingThePickClosesTheGapAndRedraws) {
  for (int i = 0; i < 6; ++i)
    add(2, 100 + 20 * i, 100);
  s.pickKind = findNearest(s, 160, 101);
  ASSERT_EQ(s.pickIndex, 3);
  EXPECT_TRUE(deletePicked(s));
  EXPECT_EQ(xs(2), (std::vector<double>{100, 120, 140, 180, 200}));
  EXPECT_EQ(pane.showCount, 1);
  // The camera and the look-at point are never deleted.
  s.pickKind = findNearest(s, 50, 50);
  EXPECT_FALSE(deletePicked(s));
  EXPECT_EQ(s.objectCount(), 5);
  EXPECT_EQ(pane.showCount, 1);
  // A stale pick (index beyond the list) deletes nothing and does not fail.
  s.pickKind = PickObject;
  s.pickIndex = 9;
  EXPECT_FALSE(deletePicked(s));
  EXPECT_EQ(s.objectCount(), 5);
}

TEST_F(EditFixture, RectangleDeletesStrictlyInsideOnly) {
  for (int i = 0; i <= 10; ++i) // x 100..200 in steps of 10, on row 150
    add(1, 100 + 10 * i, 150);
  add(1, 150, 100); // on the top edge
  add(7, 150, 150);
  add(7, 150, 150.5);
  s.firstPoint = {200, 200};
  s.lastPoint = {100, 100}; // dragged up and left
  v.currentType = 7;
  deleteInRect(s, v, false); // right button: the current type only
  EXPECT_EQ(s.objects[7].count(), 0);
  EXPECT_EQ(s.objects[1].count(), 12);
  deleteInRect(s, v, true);
  EXPECT_EQ(xs(1), (std::vector<double>{100, 200, 150}));
  EXPECT_EQ(pane.showCount, 0); // the caller redraws
  // Scrolled: the rectangle is in map coordinates.
  add(1, 120, 120);
  s.scrollX = 100;
  s.firstPoint = {10, 110};
  s.lastPoint = {30, 130};
  deleteInRect(s, v, true);
  EXPECT_EQ(s.objects[1].count(), 3);
}

TEST_F(EditFixture, MovingAnItemKeepsItsIdentity) {
  s.objects[6].append(10, 7, 10, AboveCamera, 2.5);
  s.objects[6].append(20, 7, 20, AboveWater, 0.5);
  s.pickKind = findNearest(s, 21, 22);
  s.scrollY = 10;
  movePicked(s, 30, 40);
  EXPECT_EQ(s.objects[6][1], (ScItem{30, 80, 50, AboveWater, 0.5}));
  EXPECT_EQ(s.objects[6][0].x, 10);
  EXPECT_EQ(pane.showCount, 1);
  // Off the map the height becomes 0.
  movePicked(s, 500, 5);
  EXPECT_EQ(s.objects[6][1], (ScItem{500, 0, 15, AboveWater, 0.5}));
  s.scrollY = 0;
  s.pickKind = findNearest(s, 50, 50);
  movePicked(s, 70, 80);
  EXPECT_EQ(s.camera, (ScItem{70, 150, 80, AboveWater, 1.0}));
  s.pickKind = findNearest(s, 300, 300);
  movePicked(s, 1, 2);
  EXPECT_EQ(s.lookAt, (ScItem{1, 3, 2, AboveGround, 0.0}));
  s.pickKind = PickNothing;
  movePicked(s, 9, 9);
  EXPECT_EQ(pane.showCount, 4);
}

TEST_F(EditFixture, MoveAllWrapsOncePerAxis) {
  s.objects[0].append(380, 7, 100, AboveWater, 1.5);
  s.objects[0].append(100, 7, 5, AboveGround, 0.0);
  s.objects[9].append(10, 7, 390, AboveGround, 0.0);
  moveAll(s, 249, 169); // offset (50, -30) from the centre (199, 199)
  EXPECT_EQ(s.objects[0][0], (ScItem{30, 100, 70, AboveWater, 1.5}));
  EXPECT_EQ(s.objects[0][1], (ScItem{150, (150 + 375) & 255, 375, AboveGround, 0.0}));
  EXPECT_EQ(s.objects[9][0], (ScItem{60, (60 + 360) & 255, 360, AboveGround, 0.0}));
  EXPECT_EQ(s.camera.x, 50); // the camera and look-at point stay
  EXPECT_EQ(s.lookAt.x, 300);
  // An object far off the map wraps once and stays off it, with no height.
  s.objects[3].append(-900, 7, 10, AboveGround, 0.0);
  moveAll(s, 209, 199);
  EXPECT_EQ(s.objects[3][0].x, -490);
  EXPECT_EQ(s.objects[3][0].y, -1);
  EXPECT_EQ(pane.showCount, 0);
  // Landing exactly on the far edge is off the map: it wraps to 0.
  s.objects[5].append(350, 7, 370, AboveGround, 0.0);
  moveAll(s, 249, 229); // (50, 30)
  EXPECT_EQ(std::pair(s.objects[5][0].x, s.objects[5][0].z), std::pair(0.0, 0.0));
}

TEST_F(EditFixture, EditAppliesTheDialogValuesToThePickedItem) {
  s.objects[2].append(120, 7, 130, AboveGround, 0.0);
  s.objects[2].append(140, 9, 150, AboveGround, 0.0);
  window.objectDialog = [this] {
    v.placeHeightMode = AboveWater;
    v.placeHeight = 3.5f;
  };
  editAt(s, v, 141, 151);
  EXPECT_EQ(s.objects[2][1], (ScItem{140, 9, 150, AboveWater, 3.5}));
  EXPECT_EQ(s.objects[2][0].heightMode, AboveGround);
  // The camera: " At " is released and its dialog shown; closing it untouched
  // still applies the current values.
  v.cameraHeightMode = AboveGround;
  v.cameraHeight = -2.0f;
  editAt(s, v, 50, 50);
  EXPECT_EQ(s.camera, (ScItem{50, 0, 50, AboveGround, -2.0}));
  window.lookDialog = [this] { v.placeHeightMode = AboveCamera; };
  editAt(s, v, 300, 300);
  EXPECT_EQ(s.lookAt, (ScItem{300, 0, 300, AboveCamera, 3.5}));
  EXPECT_EQ(window.calls, (std::vector<std::string>{"object dialog", "pick 0", "pick 1"}));
  editAt(s, v, 200, 20); // nothing in reach: no dialog
  EXPECT_EQ(window.calls.size(), 3u);
  EXPECT_EQ(pane.showCount, 0); // editing never redraws
}

} // namespace
} // namespace hs
