#include "placement/Edit.h"
#include "placement/Commands.h"
#include "placement/Unseen.h"

#include "Fakes.h"
#include "core/Document.h"
#include "io/PlaceData.h"
#include "support/DataTable.h"
#include "support/TestFiles.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"

#include <utility>

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
    EXPECT_EQ(pick(int(n[4]), int(n[5])), std::stoi(row[1])) << row[0];
  }
}

TEST_F(EditFixture, DeletingThePickClosesTheGapAndRedraws) {
  for (int i = 0; i < 6; ++i)
    add(2, 100 + 20 * i, 100);
  pane.showCount = 0;
  s.pickKind = pick(160, 101);
  ASSERT_EQ(s.pickIndex, 3);
  const Xs left{100, 120, 140, 180, 200};
  EXPECT_TRUE(deletePicked(s.document(), s));
  EXPECT_EQ(std::pair(xs(2), pane.showCount), std::pair(left, 1));
  s.pickKind = pick(50, 50); // the camera and the look-at point are never deleted
  EXPECT_FALSE(deletePicked(s.document(), s));
  EXPECT_EQ(std::pair(xs(2), pane.showCount), std::pair(left, 1));
  // A stale pick (index beyond the list) deletes nothing and does not fail.
  std::tie(s.pickKind, s.pickIndex) = std::pair(PickObject, 9);
  EXPECT_FALSE(deletePicked(s.document(), s));
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
  deleteIn(false); // right button: the current type only
  EXPECT_EQ(std::pair(items(7).size(), items(1).size()), std::pair(0ul, 12ul));
  deleteIn(true);
  EXPECT_EQ(xs(1), (Xs{100, 200, 150}));
  add(1, 120, 120); // scrolled: the rectangle is in map coordinates
  s.scrollX = 100;
  drag(10, 110, 30, 130);
  deleteIn(true);
  EXPECT_EQ(s.document().objects()[1].count(), 3);
}

// Moves keep the turn and size too.
TEST_F(EditFixture, MovingAnItemKeepsItsIdentity) {
  s.document().append(6, ScItem{10, 7, 10, AboveCamera, 2.5, 15.0f, 0.5f});
  s.document().append(6, ScItem{20, 7, 20, AboveWater, 0.5, -30.0f, 3.25f});
  pane.showCount = 0;
  s.pickKind = pick(21, 22);
  s.scrollY = 10;
  movePicked(s.document(), s, s.mapPointAt(30, 40));
  EXPECT_EQ(std::pair(items(6), pane.showCount),
            std::pair(Items{{10, 7, 10, AboveCamera, 2.5, 15.0f, 0.5f},
                            {30, 80, 50, AboveWater, 0.5, -30.0f, 3.25f}},
                      1));
  movePicked(s.document(), s, s.mapPointAt(500, 5)); // off the map the height becomes 0
  EXPECT_EQ(items(6).at(1), (ScItem{500, 0, 15, AboveWater, 0.5, -30.0f, 3.25f}));
  s.scrollY = 0;
  s.pickKind = pick(50, 50);
  movePicked(s.document(), s, s.mapPointAt(70, 80));
  s.pickKind = pick(300, 300);
  movePicked(s.document(), s, s.mapPointAt(1, 2));
  s.pickKind = PickNothing;
  movePicked(s.document(), s, s.mapPointAt(9, 9));
  EXPECT_EQ(std::tuple(s.document().camera(), s.document().lookAt(), pane.showCount),
            std::tuple(ScItem{70, 150, 80, AboveWater, 1.0}, ScItem{1, 3, 2, AboveGround, 0.0}, 4));
}

TEST_F(EditFixture, MoveAllWrapsOncePerAxis) {
  s.document().append(0, ScItem{380, 7, 100, AboveWater, 1.5, 180.5f, 2.0f});
  s.document().append(0, 100, 7, 5, AboveGround, 0.0);
  s.document().append(9, 10, 7, 390, AboveGround, 0.0);
  s.document().append(3, -900, 7, 10, AboveGround, 0.0); // far off: wraps once and stays off
  s.document().append(5, 350, 7, 430, AboveGround, 0.0); // lands on the far edge: wraps to 0
  moveAll(s.document(), 249, 169); // offset (50, -30) from the centre (199, 199)
  EXPECT_EQ(items(0), (Items{{30, 100, 70, AboveWater, 1.5, 180.5f, 2.0f},
                             {150, (150 + 375) & 255, 375, AboveGround, 0.0}}));
  // The camera and look-at stay.
  EXPECT_EQ(std::tuple(items(9).at(0), items(3).at(0), items(5).at(0), s.document().camera().x,
                       s.document().lookAt().x),
            std::tuple(ScItem{60, (60 + 360) & 255, 360, AboveGround, 0.0},
                       ScItem{-450, -1, 380, AboveGround, 0.0}, ScItem{0, 0, 0, AboveGround, 0.0},
                       50.0, 300.0));
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
  editAt(s, v, s.pointerAt(141, 151));
  EXPECT_EQ(window.edited, std::pair(2, 1));
  EXPECT_EQ(items(2), (Items{{120, 7, 130, AboveGround, 0.0, 10.0f, 3.0f},
                             {140, 9, 150, AboveWater, 3.5, -45.0f, 0.5f}}));
  window.objectEdit = nullptr; // closed untouched: the turn and size stay
  editAt(s, v, s.pointerAt(121, 131));
  EXPECT_EQ(items(2).at(0), (ScItem{120, 7, 130, AboveWater, 3.5, 10.0f, 3.0f}));
  // The camera's dialog closed untouched still applies the current values.
  std::tie(v.cameraHeightMode, v.cameraHeight) = std::pair(AboveGround, -2.0f);
  editAt(s, v, s.pointerAt(50, 50));
  window.lookDialog = [this] { v.placeHeightMode = AboveCamera; };
  editAt(s, v, s.pointerAt(300, 300));
  editAt(s, v, s.pointerAt(200, 20)); // nothing in reach: no dialog
  EXPECT_EQ(std::tuple(s.document().camera(), s.document().lookAt(), window.calls),
            std::tuple(ScItem{50, 0, 50, AboveGround, -2.0}, ScItem{300, 0, 300, AboveCamera, 3.5},
                       Calls{"object dialog", "object dialog", "pick 0", "pick 1"}));
}

using UnseenFixture = PlacementFixture;

TEST_F(UnseenFixture, DeletesBehindAndBesideTheCameraKeepsTheWedge) {
  Document &d = s.document();
  d.setCamera({200, 0, 200, AboveWater, 1.0});  // the map's middle
  d.setLookAt({200, 0, 100, AboveGround, 0.0}); // looking toward row 0
  d.append(4, 200, 0, 300, 0, 0.0);             // behind the camera
  d.append(4, 200, 0, 50, 0, 0.0);              // straight ahead
  d.append(4, -5, 0, 300, 0, 0.0);              // off the map behind the camera
  d.append(4, 399, 0, 399, 0, 0.0);             // the bottom-right corner pixel
  d.append(0, 205, 0, 60, 0, 0.0);
  // A map pixel that happens to be the shading grey, inside the view.
  test::paintMap(d, [](int x, int y) {
    return x == 205 && y == 60 ? unseenColour.value() : vColor(0, 0, (x + y) & 255).value();
  });
  s.showView = 0;
  pane.showCount = 0;
  {
    const HistoryStep step(s.document(), "Del Unseen"); // as the window runs it
    commandDelUnseen(s, v);
  }
  // Redrawn once, with the view still off.
  EXPECT_EQ(std::tuple(items(4), s.document().objects()[0].count(), s.showView, pane.showCount),
            std::tuple(Items{{200, 0, 50, 0, 0.0}, {-5, 0, 300, 0, 0.0}}, 1, 0, 1));
}

// Exactly the objects whose pixel the shading turns grey go; the rest keep their order.
TEST_F(UnseenFixture, MaskMatchesTheDrawnShadingPixelForPixel) {
  for (const auto &row : test::dataTable("unseen_cameras.txt")) {
    const std::vector<double> n = test::numbers<double>(row[0]);
    s.document().killAll();
    s.document().setCamera({n.at(0), 0, n.at(1), 0, 0});
    s.document().setLookAt({n.at(2), 0, n.at(3), 0, 0});
    for (int z = 0; z < 400; z += 3)
      for (int x = z % 5; x < 400; x += 5)
        s.document().append((x + z) % 16, x + 0.75, 0, z + 0.25, 0, 0.0);
    s.viewImage.copyFrom(s.document().baseImage());
    drawView(s, 36.0);
    Items expected;
    for (const ScItem &i : items())
      if (s.viewImage.pixelAt(int(i.x), int(i.z)) != unseenColour.value())
        expected.push_back(i);
    const long long before = s.document().objectCount();
    deleteUnseen(s.document());
    EXPECT_EQ(items(), expected);
    EXPECT_TRUE(s.document().objectCount() < before && s.document().objectCount() > 0);
  }
}

using TurnsAndSizes = std::vector<std::pair<float, float>>;

// No operation may rebuild a record from its position and heights alone.
struct TurnAndSize : PlacementFixture {
  // Four of type 3 (one turned only, one sized only), then one plain of type 0.
  const TurnsAndSizes all = {{15.0f, 0.5f}, {-30.0f, 1.0f}, {0.0f, 3.25f}, {180.5f, 2.0f}, {0, 1}};
  void placeObjects() {
    s.document().killAll();
    for (int i = 0; i < 4; ++i)
      s.document().append(3, ScItem{100.0 + 50 * i, 7, 100.0 + 50 * i, AboveWater, 0.5,
                                    all[i].first, all[i].second});
    add(0, 300, 100);
  }
  TurnsAndSizes left() const {
    TurnsAndSizes out;
    for (const int type : {3, 0})
      for (const ScItem &item : items(type))
        out.emplace_back(item.turn, item.size);
    return out;
  }
  TestFolder folder;
};

TEST_F(TurnAndSize, EveryOperationKeepsThem) {
  placeObjects(); // keep, change without them, go back to the kept scene
  ASSERT_TRUE(s.document().keep());
  for (int i = 0; i < 4; ++i)
    s.document().change(3, i, 1, 1, 1, 0, 0.0);
  s.document().remove(3, {0});
  ASSERT_TRUE(s.document().goBackToKept());
  EXPECT_EQ(left(), all);
  placeObjects(); // delete the pick
  s.pickKind = pick(151, 151);
  ASSERT_TRUE(deletePicked(s.document(), s));
  EXPECT_EQ(left(), (TurnsAndSizes{all[0], all[2], all[3], all[4]}));
  placeObjects(); // delete in a rectangle around the second and third
  drag(120, 120, 230, 230);
  deleteIn(true);
  EXPECT_EQ(left(), (TurnsAndSizes{all[0], all[3], all[4]}));
  placeObjects(); // save and load
  const std::string name = folder.file("place.txt");
  ASSERT_TRUE(PlaceDataExporter().write(s.document(), name));
  s.document().killAll();
  ASSERT_EQ(loadPlaceData(s.document(), name), 0);
  EXPECT_EQ(left(), all);
  placeObjects(); // a map of another size re-fits them
  const std::string map = folder.write("half.tga", targaBytes(200, 100));
  ASSERT_EQ(heightFieldCommand(s, defaultPalette(), map), Loaded);
  EXPECT_EQ(std::pair(s.document().objects()[3][1].x, left()), std::pair(75.0, all));
}

} // namespace
} // namespace hs
