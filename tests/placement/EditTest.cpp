#include "placement/Edit.h"

#include "Fakes.h"
#include "support/DataTable.h"

namespace hs {
namespace {

using EditFixture = PlacementFixture;

TEST_F(EditFixture, PickReachesNinePixelsCityBlockNotTen) {
  add(0, 0, 0);
  for (const auto &row : test::dataTable("pick_reach.txt")) {
    const std::vector<double> n = test::numbers<double>(row[0]);
    ASSERT_EQ(n.size(), 6u) << row[0];
    s.document().change(0, 0, n[0], 7, n[1], 0, 0.0);
    std::tie(s.scrollX, s.scrollY) = std::pair(int(n[2]), int(n[3]));
    EXPECT_EQ(findNearest(s, int(n[4]), int(n[5])), std::stoi(row[1])) << row[0];
  }
}

TEST_F(EditFixture, DeletingThePickClosesTheGapAndRedraws) {
  for (int i = 0; i < 6; ++i)
    add(2, 100 + 20 * i, 100);
  s.pickKind = findNearest(s, 160, 101);
  ASSERT_EQ(s.pickIndex, 3);
  const Xs left{100, 120, 140, 180, 200};
  EXPECT_TRUE(deletePicked(s));
  EXPECT_EQ(std::pair(xs(2), pane.showCount), std::pair(left, 1));
  s.pickKind = findNearest(s, 50, 50); // the camera and the look-at point are never deleted
  EXPECT_FALSE(deletePicked(s));
  EXPECT_EQ(std::pair(xs(2), pane.showCount), std::pair(left, 1));
  // A stale pick (index beyond the list) deletes nothing and does not fail.
  std::tie(s.pickKind, s.pickIndex) = std::pair(PickObject, 9);
  EXPECT_FALSE(deletePicked(s));
  EXPECT_EQ(xs(2), left);
}

TEST_F(EditFixture, RectangleDeletesStrictlyInsideOnly) {
  for (int i = 0; i <= 10; ++i) // x 100..200 in steps of 10, on row 150
    add(1, 100 + 10 * i, 150);
  add(1, 150, 100); // on the top edge
  add(7, 150, 150);
  add(7, 150, 150.5);
  drag(200, 200, 100, 100); // up and left
  v.currentType = 7;
  deleteInRect(s, v, false); // right button: the current type only
  EXPECT_EQ(std::pair(s.document().objects()[7].count(), s.document().objects()[1].count()),
            std::pair(0, 12));
  deleteInRect(s, v, true);
  EXPECT_EQ(std::pair(xs(1), pane.showCount), std::pair(Xs{100, 200, 150}, 0)); // caller redraws
  add(1, 120, 120); // scrolled: the rectangle is in map coordinates
  s.scrollX = 100;
  drag(10, 110, 30, 130);
  deleteInRect(s, v, true);
  EXPECT_EQ(s.document().objects()[1].count(), 3);
}

TEST_F(EditFixture, MovingAnItemKeepsItsIdentity) {
  s.document().append(6, 10, 7, 10, AboveCamera, 2.5);
  s.document().append(6, 20, 7, 20, AboveWater, 0.5);
  s.pickKind = findNearest(s, 21, 22);
  s.scrollY = 10;
  movePicked(s, 30, 40);
  EXPECT_EQ(std::pair(items(6), pane.showCount),
            std::pair(Items{{10, 7, 10, AboveCamera, 2.5}, {30, 80, 50, AboveWater, 0.5}}, 1));
  movePicked(s, 500, 5); // off the map the height becomes 0
  EXPECT_EQ(items(6).at(1), (ScItem{500, 0, 15, AboveWater, 0.5}));
  s.scrollY = 0;
  s.pickKind = findNearest(s, 50, 50);
  movePicked(s, 70, 80);
  s.pickKind = findNearest(s, 300, 300);
  movePicked(s, 1, 2);
  s.pickKind = PickNothing;
  movePicked(s, 9, 9);
  EXPECT_EQ(std::tuple(s.document().camera(), s.document().lookAt(), pane.showCount),
            std::tuple(ScItem{70, 150, 80, AboveWater, 1.0}, ScItem{1, 3, 2, AboveGround, 0.0}, 4));
}

TEST_F(EditFixture, MoveAllWrapsOncePerAxis) {
  s.document().append(0, 380, 7, 100, AboveWater, 1.5);
  s.document().append(0, 100, 7, 5, AboveGround, 0.0);
  s.document().append(9, 10, 7, 390, AboveGround, 0.0);
  moveAll(s.document(), 249, 169); // offset (50, -30) from the centre (199, 199)
  EXPECT_EQ(items(0), (Items{{30, 100, 70, AboveWater, 1.5},
                             {150, (150 + 375) & 255, 375, AboveGround, 0.0}}));
  EXPECT_EQ(std::tuple(items(9).at(0), s.document().camera().x,
                       s.document().lookAt().x), // the camera and look-at stay
            std::tuple(ScItem{60, (60 + 360) & 255, 360, AboveGround, 0.0}, 50.0, 300.0));
  // An object far off the map wraps once and stays off it, with no height.
  s.document().append(3, -900, 7, 10, AboveGround, 0.0);
  moveAll(s.document(), 209, 199);
  EXPECT_EQ(
      std::tuple(s.document().objects()[3][0].x, s.document().objects()[3][0].y, pane.showCount),
      std::tuple(-490.0, -1.0, 0));
  // Landing exactly on the far edge is off the map: it wraps to 0.
  s.document().append(5, 350, 7, 370, AboveGround, 0.0);
  moveAll(s.document(), 249, 229); // (50, 30)
  EXPECT_EQ(std::pair(s.document().objects()[5][0].x, s.document().objects()[5][0].z),
            std::pair(0.0, 0.0));
}

// The dialog's heights go on the picked item, with the turn and size it leaves in the record.
TEST_F(EditFixture, EditAppliesTheDialogValuesToThePickedItem) {
  s.document().append(2, ScItem{120, 7, 130, AboveGround, 0.0, 10.0f, 3.0f});
  s.document().append(2, ScItem{140, 9, 150, AboveGround, 0.0, 20.0f, 4.0f});
  window.objectDialog = [this] {
    std::tie(v.placeHeightMode, v.placeHeight) = std::pair(AboveWater, 3.5f);
  };
  window.objectEdit = [](ScItem &picked) {
    EXPECT_EQ(picked, (ScItem{140, 9, 150, AboveGround, 0.0, 20.0f, 4.0f}));
    std::tie(picked.turn, picked.size) = std::pair(-45.0f, 0.5f);
  };
  editAt(s, v, 141, 151);
  EXPECT_EQ(items(2), (Items{{120, 7, 130, AboveGround, 0.0, 10.0f, 3.0f},
                             {140, 9, 150, AboveWater, 3.5, -45.0f, 0.5f}}));
  window.objectEdit = nullptr; // closed untouched: the turn and size stay
  editAt(s, v, 121, 131);
  EXPECT_EQ(items(2).at(0), (ScItem{120, 7, 130, AboveWater, 3.5, 10.0f, 3.0f}));
  // The camera's dialog closed untouched still applies the current values.
  std::tie(v.cameraHeightMode, v.cameraHeight) = std::pair(AboveGround, -2.0f);
  editAt(s, v, 50, 50);
  window.lookDialog = [this] { v.placeHeightMode = AboveCamera; };
  editAt(s, v, 300, 300);
  editAt(s, v, 200, 20); // nothing in reach: no dialog
  EXPECT_EQ(std::tuple(s.document().camera(), s.document().lookAt(), window.calls, pane.showCount),
            std::tuple(ScItem{50, 0, 50, AboveGround, -2.0}, ScItem{300, 0, 300, AboveCamera, 3.5},
                       Calls{"object dialog", "object dialog", "pick 0", "pick 1"}, 0));
}

} // namespace
} // namespace hs
