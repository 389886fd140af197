#include "placement/Fill.h"
#include "placement/Random.h"

#include "Fakes.h"

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

// Fills pinned exactly: (count, random place, random types, type, scroll x,
// drag from (x0, y0) to (x1, y1)) and the objects made. Off the map a line or
// box object stays with no height (-1); a circle's goes.
TEST(Fill, PinnedFills) {
  using Fill = FillResult (*)(Scene &, ProgramValues &);
  struct Setup {
    int count, randomPlace, randomType, type, scrollX, x0, y0, x1, y1;
  };
  const struct {
    Fill fill;
    Setup g;
    const char *want;
  } cases[] = {
      {fillLine, {2, 0, 0, 4, 0, 7, 9, 120, 33}, "4:7,16,9 4:120,153,33"},
      {fillLine,
       {4, 0, 0, 4, 30, 10, 50, 100, 50},
       "4:40,90,50 4:70,120,50 4:100,150,50 4:130,180,50"},
      {fillLine,
       {5, 0, 0, 0, 0, 360, 10, 440, 10},
       "0:360,114,10 0:380,134,10 0:400,-1,10 0:420,-1,10 0:440,-1,10"},
      {fillBox,
       {2, 0, 0, 0, 0, 20, 30, 110, 120},
       "0:20,50,30 0:110,140,30 0:20,140,120 0:110,230,120"},
      {fillBox,
       {3, 0, 0, 0, 0, 390, 0, 410, 20},
       "0:390,134,0 0:400,-1,0 0:410,-1,0 0:390,144,10 0:400,-1,10 0:410,-1,10 "
       "0:390,154,20 0:400,-1,20 0:410,-1,20"},
      // A circle starts and ends left of its centre, truncated toward zero.
      {fillCircle,
       {10, 0, 0, 0, 0, 200, 200, 260, 240},
       "0:140,84,200 0:154,72,174 0:189,93,160 0:229,138,165 0:256,186,186 "
       "0:256,213,213 0:229,207,234 0:189,172,239 0:154,123,225 0:140,83,199"},
      {fillCircle,
       {9, 0, 0, 0, 0, 390, 100, 440, 150},
       "0:340,184,100 0:354,162,64 0:389,183,50 0:389,26,149 0:354,233,135 0:340,183,99"},
      // Random, from the start-up state: the line's last lies past the end point.
      {fillLine,
       {5, 1, 1, 15, 0, 10, 20, 110, 60},
       "4:128,195,67 5:10,30,20 5:14,35,21 8:37,67,30 11:34,63,29"},
      {fillBox,
       {3, 1, 0, 3, 0, 300, 300, 420, 380},
       "3:300,128,340 3:305,135,342 3:339,191,364 3:335,207,384 3:470,-1,332 "
       "3:379,180,313 3:425,-1,367 3:307,114,319 3:446,-1,382"},
      {fillCircle,
       {6, 1, 1, 0, 0, 50, 50, 120, 90},
       "0:85,100,15 0:93,111,18 0:118,177,59 0:71,159,88 0:60,70,10"},
  };
  for (const auto &c : cases) {
    Scene s;
    paintRampMap(s);
    ProgramValues v;
    v.fillCount = c.g.count;
    v.fillRandomPlace = c.g.randomPlace;
    v.fillRandomType = c.g.randomType;
    v.currentType = c.g.type;
    v.placeHeightMode = AboveCamera;
    v.placeHeight = 1.25f;
    s.scrollX = c.g.scrollX; // positions are map points
    s.firstPoint = {c.g.x0, c.g.y0};
    s.lastPoint = {c.g.x1, c.g.y1};
    c.fill(s, v);
    EXPECT_EQ(objects(s), c.want);
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
