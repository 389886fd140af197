#include "placement/Fill.h"
#include "placement/Random.h"

#include "Fakes.h"
#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace hs {
namespace {

// Every object of the scene as "type:x,y,z", type by type.
std::string objects(const Scene &s) {
  std::string out;
  for (int t = 0; t < kObjectTypes; ++t)
    for (const ScItem &i : s.objects[static_cast<std::size_t>(t)]) {
      char item[64];
      std::snprintf(item, sizeof item, " %d:%d,%d,%d", t, int(i.x), int(i.y), int(i.z));
      out += item;
    }
  return out.substr(out.empty() ? 0 : 1);
}

struct FillFixture : ::testing::Test {
  Scene s;
  ProgramValues v;
  void SetUp() override { paintRampMap(s); }
  void drag(int x0, int y0, int x1, int y1) {
    s.firstPoint = {x0, y0};
    s.lastPoint = {x1, y1};
  }
};

TEST(Random, StartsFromTheSeededStateAndRandomTypesStayWithinTheSelectedOne) {
  ProgramValues v;
  ProgramValues seeded;
  seeded.randomState = 12345;
  seedRandom(seeded);
  EXPECT_EQ(seeded.randomState, v.randomState);
  for (int expected : {130, 10982, 1090, 11656, 7117, 17595, 6415, 22948})
    EXPECT_EQ(nextRandom(v), expected);
  // The largest generator value would give 16; it is held at the selected type.
  v.fillRandomType = 1;
  v.currentType = 15;
  for (v.randomState = 0;; v.randomState += 65536u) { // a state whose next value is 32767
    ProgramValues probe;
    probe.randomState = v.randomState;
    if (nextRandom(probe) == 32767)
      break;
  }
  EXPECT_EQ(randomTypeFor(v), 15);
  v.fillRandomType = 0;
  const std::uint32_t before = v.randomState;
  EXPECT_EQ(randomTypeFor(v), 15);
  EXPECT_EQ(v.randomState, before); // no value is drawn without random types
}

// The fills of tests/data/fills.txt, with every object's height mode and height.
TEST(Fill, PinnedFills) {
  for (const auto &row : test::dataTable("fills.txt")) {
    const std::vector<int> g = test::numbers(row[1]);
    ASSERT_EQ(g.size(), 9u) << row[1];
    Scene s;
    paintRampMap(s);
    ProgramValues v;
    v.fillCount = g[0];
    v.fillRandomPlace = g[1];
    v.fillRandomType = g[2];
    v.currentType = g[3];
    v.placeHeightMode = AboveCamera;
    v.placeHeight = 1.25f;
    s.scrollX = g[4]; // positions are map points
    s.firstPoint = {g[5], g[6]};
    s.lastPoint = {g[7], g[8]};
    (row[0] == "line" ? fillLine : row[0] == "box" ? fillBox : fillCircle)(s, v);
    EXPECT_EQ(objects(s), row[2]) << row[0] << " " << row[1];
    for (const ScData &list : s.objects)
      for (const ScItem &i : list)
        EXPECT_EQ(std::pair(i.heightMode, i.height), std::pair(int(AboveCamera), 1.25));
  }
}

TEST_F(FillFixture, NothingIsPlacedForCountsOfOneOrLess) {
  drag(10, 10, 100, 100);
  for (int n : {1, 0, -3}) {
    v.fillCount = n;
    fillLine(s, v);
    fillBox(s, v);
    fillCircle(s, v);
  }
  EXPECT_EQ(s.objectCount(), 0);
}

TEST_F(FillFixture, SuccessiveRandomFillsShareOneSequence) {
  v.fillRandomPlace = 1;
  v.fillRandomType = 1;
  v.currentType = 15;
  v.fillCount = 4;
  drag(0, 0, 30, 300);
  fillLine(s, v);
  v.fillCount = 8;
  drag(200, 200, 150, 260);
  fillCircle(s, v);
  // A fill that restarted the generator would end elsewhere.
  EXPECT_EQ(s.objectCount(), 12);
  EXPECT_EQ(v.randomState, 4193161758u);
  EXPECT_EQ(s.objects[15][0].x, 155);
}

TEST_F(FillFixture, AFailedAppendEndsTheFillAtOnce) {
  s.budget.limit = 3;
  v.fillCount = 10;
  v.fillRandomPlace = 1;
  v.fillRandomType = 1;
  drag(0, 0, 90, 0);
  fillLine(s, v);
  EXPECT_EQ(s.objectCount(), 3);
  // Four objects were tried: a position and a type each, then the fill stopped.
  ProgramValues probe;
  for (int i = 0; i < 8; ++i)
    nextRandom(probe);
  EXPECT_EQ(v.randomState, probe.randomState);
  fillBox(s, v);
  fillCircle(s, v);
  EXPECT_EQ(s.objectCount(), 3);
}

TEST_F(FillFixture, SinglePlacementDrawsAtOnceAndJoinsWithOrderOn) {
  test::FakeSurface pane;
  s.attachSurface(&pane);
  s.scrollX = 100;
  s.scrollY = 50;
  v.currentType = 2;
  v.showOrder = 1;
  ASSERT_TRUE(placeSingle(s, v, 20, 77, 30));
  EXPECT_EQ(s.objects[2][0], (ScItem{120, 77, 80, AboveGround, 0.0}));
  // The marker is in viewImage at the map point minus 4: type 3's black frame
  // and white digit.
  EXPECT_EQ(s.viewImage.pixelAt(116, 76), 0u);
  EXPECT_EQ(s.viewImage.pixelAt(118, 77), 0xFFFFFFu);
  ASSERT_TRUE(placeSingle(s, v, 60, 5, 10));
  // The first of a type joins nothing; the second joins the first.
  EXPECT_EQ(pane.calls,
            (std::vector<std::string>{"icon 16 26 7 7", "icon 56 6 7 7", "line 60 10 20 30"}));
  EXPECT_EQ(s.viewImage.pixelAt(140, 70), 0u); // the line, in the current (black) pen
  EXPECT_EQ(pane.showCount, 0);                // no redraw
  s.budget.limit = 2;
  EXPECT_FALSE(placeSingle(s, v, 1, 1, 1));
  EXPECT_EQ(pane.calls.size(), 3u);
}

} // namespace
} // namespace hs
