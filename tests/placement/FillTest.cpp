#include "placement/Fill.h"
#include "placement/Random.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace hs {
namespace {

// Expected objects in placement order as (type, x, y, z) groups, checked list
// by list.
void expectObjects(const Scene &s, const std::vector<int> &expected) {
  std::array<std::vector<double>, kObjectTypes> want, got;
  for (std::size_t i = 0; i + 3 < expected.size(); i += 4)
    want[static_cast<std::size_t>(expected[i])].insert(
        want[static_cast<std::size_t>(expected[i])].end(),
        {double(expected[i + 1]), double(expected[i + 2]), double(expected[i + 3])});
  for (std::size_t t = 0; t < kObjectTypes; ++t) {
    for (const ScItem &item : s.objects[t])
      got[t].insert(got[t].end(), {item.x, item.y, item.z});
    EXPECT_EQ(got[t], want[t]) << "type " << t;
  }
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

TEST(Random, StartsFromTheSeededStateEveryRun) {
  ProgramValues v;
  ProgramValues seeded;
  seeded.randomState = 12345;
  seedRandom(seeded);
  EXPECT_EQ(seeded.randomState, v.randomState);
  const int first[] = {130, 10982, 1090, 11656, 7117, 17595, 6415, 22948};
  for (int expected : first)
    EXPECT_EQ(nextRandom(v), expected);
}

TEST(Random, RandomTypesStayWithinTheSelectedType) {
  ProgramValues v;
  v.fillRandomType = 1;
  v.currentType = 0;
  for (int i = 0; i < 200; ++i)
    EXPECT_EQ(randomTypeFor(v), 0);
  // The largest generator value would give 16; it is held at the selected type.
  v.currentType = 15;
  for (std::uint32_t s = 0;; ++s) { // find a state whose next value is 32767
    ProgramValues probe;
    probe.randomState = s * 65536u;
    if (nextRandom(probe) == 32767) {
      v.randomState = s * 65536u;
      break;
    }
  }
  EXPECT_EQ(randomTypeFor(v), 15);
  v.fillRandomType = 0;
  const std::uint32_t before = v.randomState;
  EXPECT_EQ(randomTypeFor(v), 15);
  EXPECT_EQ(v.randomState, before); // no value is drawn without random types
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

TEST_F(FillFixture, EvenLineIncludesBothEnds) {
  v.fillCount = 2;
  v.currentType = 4;
  v.placeHeightMode = AboveCamera;
  v.placeHeight = 1.25f;
  drag(7, 9, 120, 33);
  fillLine(s, v);
  expectObjects(s, {4, 7, 16, 9, 4, 120, 153, 33});
  EXPECT_EQ(s.objects[4][0].heightMode, AboveCamera);
  EXPECT_EQ(s.objects[4][0].height, 1.25);

  s.objects[4].clear();
  v.fillCount = 10;
  s.scrollX = 30; // positions are map points
  drag(10, 50, 100, 50);
  fillLine(s, v);
  ASSERT_EQ(s.objects[4].count(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(s.objects[4][i].x, 40 + 10 * i);
    EXPECT_EQ(s.objects[4][i].z, 50);
  }
}

TEST_F(FillFixture, EvenBoxIsARowMajorGridWithItsCorners) {
  v.fillCount = 10;
  drag(20, 30, 110, 120);
  fillBox(s, v);
  const ScData &list = s.objects[0];
  ASSERT_EQ(list.count(), 100);
  for (int i : {0, 9, 10, 99})
    EXPECT_EQ(std::make_pair(list[i].x, list[i].z),
              std::make_pair(20.0 + 10 * (i % 10), 30.0 + 10 * (i / 10)))
        << i;
  EXPECT_EQ(list[99].y, 230);
}

TEST_F(FillFixture, EvenCircleStartsAndEndsOnTheLeftOfTheCentre) {
  v.fillCount = 10;
  drag(200, 200, 260, 240); // radii 60 and 40
  fillCircle(s, v);
  const ScData &list = s.objects[0];
  ASSERT_EQ(list.count(), 10);
  for (int i : {0, 9}) {
    EXPECT_NEAR(list[i].x, 140, 1);
    EXPECT_NEAR(list[i].z, 200, 1);
  }
  // The third point, 100 degrees on, sits just left of the ellipse's top;
  // both coordinates are truncated toward zero.
  EXPECT_EQ(list[2].x, 189);
  EXPECT_EQ(list[2].z, 160);
}

TEST_F(FillFixture, OffMapLineAndBoxObjectsStayWithNoHeightCircleOnesGo) {
  v.fillCount = 5;
  drag(360, 10, 440, 10);
  fillLine(s, v);
  expectObjects(s,
                {0, 360, 114, 10, 0, 380, 134, 10, 0, 400, -1, 10, 0, 420, -1, 10, 0, 440, -1, 10});
  killAll(s);
  v.fillCount = 3;
  drag(390, 0, 410, 20);
  fillBox(s, v);
  ASSERT_EQ(s.objects[0].count(), 9);
  EXPECT_EQ(s.objects[0][1].y, -1); // (400, 0)
  EXPECT_EQ(s.objects[0][0].y, 134);
  killAll(s);
  v.fillCount = 9;
  drag(390, 100, 440, 150); // the right half of the ellipse is off the map
  fillCircle(s, v);
  EXPECT_LT(s.objects[0].count(), 9);
  EXPECT_GT(s.objects[0].count(), 0);
  for (const ScItem &item : s.objects[0])
    EXPECT_GE(item.y, 0);
}

// Random fills from the start-up generator state, pinned exactly.
TEST_F(FillFixture, RandomLineWithRandomTypesUpToObj16) {
  v.fillCount = 5;
  v.fillRandomPlace = 1;
  v.fillRandomType = 1;
  v.currentType = 15;
  drag(10, 20, 110, 60);
  fillLine(s, v);
  // The last lies past the end point: r runs to just above n.
  expectObjects(s, {5, 10, 30, 20, 5, 14, 35, 21, 8, 37, 67, 30, 11, 34, 63, 29, 4, 128, 195, 67});
}

TEST_F(FillFixture, RandomBoxReachesOffTheMap) {
  v.fillCount = 3;
  v.fillRandomPlace = 1;
  v.currentType = 3;
  drag(300, 300, 420, 380);
  fillBox(s, v);
  expectObjects(s, {3, 300, 128, 340, 3, 305, 135, 342, 3, 339, 191, 364,
                    3, 335, 207, 384, 3, 470, -1,  332, 3, 379, 180, 313,
                    3, 425, -1,  367, 3, 307, 114, 319, 3, 446, -1,  382});
}

TEST_F(FillFixture, RandomCircleWithRandomTypeZeroSkipsOffMapPoints) {
  v.fillCount = 6;
  v.fillRandomPlace = 1;
  v.fillRandomType = 1;
  v.currentType = 0;
  drag(50, 50, 120, 90);
  fillCircle(s, v);
  expectObjects(s,
                {0, 85, 100, 15, 0, 93, 111, 18, 0, 118, 177, 59, 0, 71, 159, 88, 0, 60, 70, 10});
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
  v.currentType = 0;
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
  EXPECT_EQ(pane.calls, (std::vector<std::string>{"icon 16 26 7 7"}));
  EXPECT_EQ(s.objects[2][0], (ScItem{120, 77, 80, AboveGround, 0.0}));
  // The marker is in viewImage at the map point minus 4: type 3's black frame
  // and white digit.
  EXPECT_EQ(s.viewImage.pixelAt(116, 76), 0u);
  EXPECT_EQ(s.viewImage.pixelAt(118, 77), 0xFFFFFFu);
  ASSERT_TRUE(placeSingle(s, v, 60, 5, 10));
  // The first of a type joins nothing; the second joins the first.
  EXPECT_EQ(pane.calls,
            (std::vector<std::string>{"icon 16 26 7 7", "icon 56 6 7 7", "line 60 10 20 30"}));
  // Line pixels on viewImage take the current (black) pen, between the markers.
  EXPECT_EQ(s.viewImage.pixelAt(140, 70), 0u);
  EXPECT_EQ(pane.showCount, 0); // no redraw
  s.budget.limit = 2;
  EXPECT_FALSE(placeSingle(s, v, 1, 1, 1));
  EXPECT_EQ(pane.calls.size(), 3u);
}

} // namespace
} // namespace hs
