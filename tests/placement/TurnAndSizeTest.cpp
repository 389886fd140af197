// No operation may rebuild a record from its position and heights alone.
#include "placement/Edit.h"

#include "Fakes.h"
#include "core/Document.h"
#include "io/PlaceData.h"
#include "support/TestFiles.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"

#include <utility>

namespace hs {
namespace {

using TurnsAndSizes = std::vector<std::pair<float, float>>;

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
  placeObjects(); // move
  s.pickKind = findNearest(s, 151, 151);
  movePicked(s, 170, 120);
  EXPECT_EQ(std::pair(s.document().objects()[3][1].x, left()), std::pair(170.0, all));
  placeObjects();
  moveAll(s.document(), 230, 180);
  EXPECT_EQ(std::pair(s.document().objects()[3][0].x, left()), std::pair(131.0, all));
  placeObjects(); // keep, change without them, go back to the kept scene
  ASSERT_TRUE(s.document().keep());
  for (int i = 0; i < 4; ++i)
    s.document().change(3, i, 1, 1, 1, 0, 0.0);
  s.document().remove(3, {0});
  ASSERT_TRUE(s.document().goBackToKept());
  EXPECT_EQ(left(), all);
  placeObjects(); // delete the pick
  s.pickKind = findNearest(s, 151, 151);
  ASSERT_TRUE(deletePicked(s));
  EXPECT_EQ(left(), (TurnsAndSizes{all[0], all[2], all[3], all[4]}));
  placeObjects(); // delete in a rectangle around the second and third
  drag(120, 120, 230, 230);
  deleteInRect(s, v, true);
  EXPECT_EQ(left(), (TurnsAndSizes{all[0], all[3], all[4]}));
  placeObjects(); // save and load
  const std::string name = folder.file("place.txt");
  ASSERT_TRUE(savePlaceData(s.document(), name));
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
