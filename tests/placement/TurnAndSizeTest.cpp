// No operation may rebuild a record from its position and heights alone.
#include "placement/Edit.h"

#include "Fakes.h"
#include "core/Document.h"
#include "io/PlaceData.h"
#include "support/TestFiles.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"

#include <functional>
#include <utility>

namespace hs {
namespace {

using TurnsAndSizes = std::vector<std::pair<float, float>>;

struct TurnAndSize : PlacementFixture {
  // Four of type 3 (one turned only, one sized only), one plain of type 0.
  void placeObjects() {
    s.document().killAll();
    const float turns[] = {15.0f, -30.0f, 0.0f, 180.5f};
    const float sizes[] = {0.5f, 1.0f, 3.25f, 2.0f};
    for (int i = 0; i < 4; ++i)
      s.document().append(
          3, ScItem{100.0 + 50 * i, 7, 100.0 + 50 * i, AboveWater, 0.5, turns[i], sizes[i]});
    add(0, 300, 100);
  }
  TurnsAndSizes turnsAndSizes(int type) const {
    TurnsAndSizes out;
    for (const ScItem &item : items(type))
      out.emplace_back(item.turn, item.size);
    return out;
  }
  TestFolder folder;
};

TEST_F(TurnAndSize, EveryOperationKeepsThem) {
  const TurnsAndSizes all = {{15.0f, 0.5f}, {-30.0f, 1.0f}, {0.0f, 3.25f}, {180.5f, 2.0f}};
  struct Case {
    const char *name;
    std::function<void()> run;
    TurnsAndSizes left; // of type 3 afterwards
  };
  const Case cases[] = {
      {"Move",
       [this] {
         s.pickKind = findNearest(s, 151, 151);
         movePicked(s, 170, 120);
         ASSERT_EQ(s.document().objects()[3][1].x, 170.0);
       },
       all},
      {"Move All",
       [this] {
         moveAll(s.document(), 230, 180);
         ASSERT_EQ(s.document().objects()[3][0].x, 131.0);
       },
       all},
      {"Keep, change, Undo",
       [this] {
         ASSERT_TRUE(s.document().keep());
         for (int i = 0; i < 4; ++i)
           s.document().change(3, i, 1, 1, 1, 0, 0.0); // the record without them
         s.document().remove(3, {0});
         ASSERT_TRUE(s.document().goBackToKept());
       },
       all},
      {"Del",
       [this] {
         s.pickKind = findNearest(s, 151, 151);
         ASSERT_TRUE(deletePicked(s));
       },
       {all[0], all[2], all[3]}},
      {"delete in a rectangle",
       [this] {
         drag(120, 120, 230, 230); // around the second and third
         deleteInRect(s, v, true);
       },
       {all[0], all[3]}},
      {"save and load",
       [this] {
         const std::string name = folder.file("place.txt");
         ASSERT_TRUE(savePlaceData(s.document(), name));
         s.document().killAll();
         ASSERT_EQ(loadPlaceData(s.document(), name), 0);
       },
       all},
      {"a map of another size",
       [this] {
         const std::string map = folder.write("half.tga", targaBytes(200, 100));
         ASSERT_EQ(heightFieldCommand(s, defaultPalette(), map), Loaded);
         ASSERT_EQ(s.document().objects()[3][1].x, 75.0); // re-fitted
       },
       all},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    placeObjects();
    c.run();
    EXPECT_EQ(turnsAndSizes(3), c.left);
    EXPECT_EQ(turnsAndSizes(0), (TurnsAndSizes{{0.0f, 1.0f}}));
  }
}

} // namespace
} // namespace hs
