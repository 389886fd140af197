#include "placement/Fill.h"
#include "placement/Random.h"

#include "Fakes.h"
#include "support/DataTable.h"

#include <cstdio>

namespace hs {
namespace {

std::string objects(const Scene &s) {
  std::string out;
  for (int t = 0; t < kObjectTypes; ++t)
    for (const ScItem &i : s.document().objects()[static_cast<std::size_t>(t)]) {
      char item[64];
      std::snprintf(item, sizeof item, " %d:%d,%d,%d", t, int(i.x), int(i.y), int(i.z));
      out += item;
    }
  return out.substr(out.empty() ? 0 : 1);
}

using FillFixture = PlacementFixture;

TEST(Random, StartsFromTheSeededStateAndRandomTypesStayWithinTheSelectedOne) {
  ProgramValues v, seeded;
  seeded.randomState = 12345;
  seedRandom(seeded);
  EXPECT_EQ(seeded.randomState, v.randomState);
  EXPECT_EQ(nextRandom(v), 130);
  // The next value is 32767, which would give type 16.
  std::tie(v.fillRandomType, v.currentType, v.randomState) = std::tuple(1, 15, 1810038784u);
  EXPECT_EQ(randomTypeFor(v), 15);
  v.fillRandomType = 0;
  const std::uint32_t before = v.randomState;
  EXPECT_EQ(randomTypeFor(v), 15);
  EXPECT_EQ(v.randomState, before); // no value is drawn without random types
}

TEST(Fill, PinnedFills) {
  for (const auto &row : test::dataTable("fills.txt")) {
    const std::vector<int> g = test::numbers(row[1]);
    ASSERT_EQ(g.size(), 9u) << row[1];
    Scene s;
    paintRampMap(s);
    ProgramValues v;
    std::tie(v.fillCount, v.fillRandomPlace, v.fillRandomType, v.currentType) =
        std::tuple(g[0], g[1], g[2], g[3]);
    std::tie(v.placeHeightMode, v.placeHeight) = std::pair(AboveCamera, 1.25f);
    std::tie(s.scrollX, s.firstPoint, s.lastPoint) =
        std::tuple(g[4], Point{g[5], g[6]}, Point{g[7], g[8]});
    (row[0] == "line" ? fillLine : row[0] == "box" ? fillBox : fillCircle)(s, v);
    EXPECT_EQ(objects(s), row[2] == "-" ? "" : row[2]) << row[0] << " " << row[1];
    for (const ScData &list : s.document().objects())
      for (const ScItem &i : list)
        EXPECT_EQ(std::pair(i.heightMode, i.height), std::pair(int(AboveCamera), 1.25));
  }
}

// A fill that restarted the generator would end elsewhere.
TEST_F(FillFixture, SuccessiveRandomFillsShareOneSequence) {
  std::tie(v.fillRandomPlace, v.fillRandomType, v.currentType, v.fillCount) =
      std::tuple(1, 1, 15, 4);
  drag(0, 0, 30, 300);
  fillLine(s, v);
  v.fillCount = 8;
  drag(200, 200, 150, 260);
  fillCircle(s, v);
  EXPECT_EQ(std::tuple(s.document().objectCount(), v.randomState, s.document().objects()[15][0].x),
            std::tuple(12LL, 4193161758u, 155.0));
}

TEST_F(FillFixture, SinglePlacementDrawsAtOnceAndJoinsWithOrderOn) {
  std::tie(s.scrollX, s.scrollY, v.currentType, v.showOrder) = std::tuple(100, 50, 2, 1);
  ASSERT_TRUE(placeSingle(s, v, {120, 80}, 77));
  // Type 3's black frame and white digit, at the map point minus 4.
  EXPECT_EQ(std::tuple(s.document().objects()[2][0], s.viewImage.pixelAt(116, 76),
                       s.viewImage.pixelAt(118, 77)),
            std::tuple(ScItem{120, 77, 80, AboveGround, 0.0}, 0u, 0xFFFFFFu));
  ASSERT_TRUE(placeSingle(s, v, {160, 60}, 5));
  EXPECT_EQ(std::tuple(pane.calls, s.viewImage.pixelAt(140, 70), pane.showCount),
            std::tuple(Calls{"icon 16 26 7 7", "icon 56 6 7 7", "line 60 10 20 30"}, 0u, 0));
  s.document().setObjectLimit(2);
  EXPECT_FALSE(placeSingle(s, v, {101, 51}, 1));
  EXPECT_EQ(pane.calls.size(), 3u);
}

} // namespace
} // namespace hs
