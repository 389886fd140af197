#include "placement/Readout.h"
#include "placement/Tool.h"

#include "Fakes.h"
#include "placement/Fill.h"
#include "placement/Random.h"
#include "support/DataTable.h"
#include "support/InChild.h"

#include <sstream>

namespace hs {
namespace {

using MouseFixture = PlacementFixture;
using ReadoutFixture = MouseFixture;

// The band follows the pointer and is drawn again over a repaint; a gesture that ends where it
// started neither fills nor deletes nor leaves a band.
TEST_F(MouseFixture, RubberBandsFollowThePointerAndAGestureBackToItsStartDoesNothing) {
  add(0, 100, 100);
  const struct {
    int mode;
    Figures out, back;
  } modes[] = {
      {LineFill, {"xorLine 90 90 120 130"}, {"xorLine 90 90 70 80"}},
      {BoxFill, {"xorRect 90 90 120 130"}, {"xorRect 70 80 90 90"}},
      {CircleFill,
       {"xorEllipse 60 50 120 130", "xorRect 60 50 120 130"},
       {"xorEllipse 70 80 110 100", "xorRect 70 80 110 100"}},
      {DeleteObjects, {"xorRect 90 90 120 130"}, {"xorRect 70 80 90 90"}},
  };
  for (const auto &m : modes) {
    v.modes.selectTool(m.mode);
    gesture(s, v, {{90, 90}});
    mousePress(s, v, 90, 90, kLeftButton);
    mouseDrag(s, v, 120, 130, kLeftButton);
    EXPECT_EQ(pane.xorFigures(), m.out) << m.mode;
    s.repaint(); // covers the band: the next step must not draw the old one back
    const int shows = pane.showCount;
    mouseDrag(s, v, 70, 80, kLeftButton);
    EXPECT_EQ(pane.xorFigures(), m.back) << m.mode;
    mouseDrag(s, v, 90, 90, kLeftButton); // back where it started
    mouseRelease(s, v, 90, 90, kLeftButton);
    EXPECT_EQ(std::tuple(s.document().objectCount(), pane.showCount, pane.xorFigures().size()),
              std::tuple(1LL, shows, 0ul))
        << m.mode;
  }
}

TEST_F(MouseFixture, FillsRunFromThePressToTheReleasePoint) {
  v.modes.selectTool(LineFill);
  v.fillCount = 5;
  s.scrollX = 100;
  gesture(s, v, {{10, 10}, {30, 10}, {50, 10}});
  EXPECT_EQ(std::tuple(items(0).at(4), pane.showCount, pane.xorFigures().size()),
            std::tuple(ScItem{150, 160, 10, AboveGround, 0.0}, 1, 0ul));
  // A release with no drag step on the way still ends the line there.
  mousePress(s, v, 10, 20, kLeftButton);
  mouseRelease(s, v, 30, 20, kLeftButton);
  EXPECT_EQ(xs(0), (Xs{110, 120, 130, 140, 150, 110, 115, 120, 125, 130}));
  // Released off the map: nothing placed, nothing redrawn.
  test::clearList(s.document(), 0);
  std::tie(s.scrollX, s.viewWidth) = std::pair(0, 500);
  const int shows = pane.showCount;
  gesture(s, v, {{300, 10}, {375, 10}, {450, 10}});
  EXPECT_EQ(std::tuple(s.document().objectCount(), pane.xorFigures().size(), pane.showCount),
            std::tuple(0LL, 0ul, shows));
}

// A fill stops at the first append over the object limit, drawing no more numbers, and says how
// many it placed; one that fits says nothing.
TEST_F(MouseFixture, AFillStoppedByTheObjectLimitSaysHowManyItPlaced) {
  s.document().setObjectLimit(3);
  v.modes.selectTool(LineFill);
  std::tie(v.fillCount, v.fillRandomPlace, v.fillRandomType) = std::tuple(10, 1, 1);
  gesture(s, v, {{0, 0}, {90, 0}});
  ProgramValues probe; // four tried, a position and a type each
  for (int i = 0; i < 8; ++i)
    nextRandom(probe);
  EXPECT_EQ(
      std::tuple(s.document().objectCount(), v.randomState, window.notices),
      std::tuple(3LL, probe.randomState,
                 decltype(window.notices){{"Notice", "Too many objects!!\n\nThe fill stopped "
                                                     "at the limit\nafter placing 3 objects"}}));
  s.document().setObjectLimit(1000);
  gesture(s, v, {{10, 10}, {15, 15}, {20, 20}});
  EXPECT_EQ(std::pair(s.document().objectCount(), window.notices.size()), std::pair(13LL, 1ul));
}

// A fill that runs out of memory places nothing, makes no undo step and says so.
TEST_F(MouseFixture, AFillThatRunsOutOfMemoryIsRefusedWhole) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
  add(3, 1, 1);
  v.modes.selectTool(BoxFill);
  std::tie(v.fillCount, v.fillRandomType, v.currentType) = std::tuple(2000, 1, 15);
  const auto fill = [&] {
    test::limitGrowth(64 << 20); // room for about a million of the 4,000,000 objects
    gesture(s, v, {{10, 10}, {200, 200}});
    const bool said = window.notices == decltype(window.notices){{"Notice", kFillMemoryMessage}};
    const bool kept = s.document().objectCount() == 1 && s.document().budget().used == 1 &&
                      s.document().objects()[15].capacity() == 1 &&
                      s.document().history().stepCount() == 0;
    return kept && said ? 0 : 1;
  };
  EXPECT_EQ(test::inChild(fill), 0);
#endif
}

TEST_F(MouseFixture, ClickAndReturnPlaceAtThePointerButNeverWithTheRightButton) {
  v.currentType = 2;
  mousePress(s, v, 10, 10, kLeftButton);
  mouseRelease(s, v, 20, 30, kLeftButton);
  EXPECT_EQ(items(2).at(0), (ScItem{20, 50, 30, AboveGround, 0.0}));
  gesture(s, v, {{40, 40}}, kMiddleButton);
  gesture(s, v, {{25, 35}}, kRightButton); // 10 away: nothing, and nothing placed
  EXPECT_EQ(xs(2), (Xs{20, 40}));
  gesture(s, v, {{24, 35}}, kRightButton); // 9 away: deleted
  s.viewWidth = 500;
  gesture(s, v, {{450, 10}}); // off the map: nothing placed
  EXPECT_EQ(xs(2), Xs{40});
  // Return places in every mode, even off the map, with the height of the loaded map's decoding
  // even after a failed load changed the file type.
  std::tie(v.currentType, s.scrollX) = std::pair(6, 30);
  v.modes.selectTool(DeleteObjects);
  mouseMotion(s, v, 10, 20);
  keyIn(s, v, Key::Return, false);
  mouseMotion(s, v, 450, 10);
  keyIn(s, v, Key::Return, false);
  s.document().setHfType(1);
  s.document().setHfFileType(0);
  mouseMotion(s, v, 10, 20);
  keyIn(s, v, Key::Return, false);
  EXPECT_EQ(std::pair(items(6), v.modes.mode()), std::pair(Items{{40, 60, 20, AboveGround, 0.0},
                                                                 {480, -1, 10, AboveGround, 0.0},
                                                                 {40, 0, 20, AboveGround, 0.0}},
                                                           int(DeleteObjects)));
}

TEST(MouseUnattached, EveryModeTakesAGestureWithNoWindowOrPane) {
  // The one object there, what the gesture adds and the one Return places.
  const long long objects[kModeCount] = {3, 5, 11, 3, 2, 2, 2, 2, 2, 2, 2, 2, 45, 2};
  for (int mode = 0; mode < kModeCount; ++mode) {
    Scene s;
    ProgramValues v;
    v.fillCount = 3;
    v.modes.selectTool(mode);
    paintRampMap(s);
    s.document().append(0, 20, 0, 20, AboveGround, 0);
    gesture(s, v, {{20, 20}, {60, 50}});
    keyIn(s, v, Key::Return, false);
    EXPECT_EQ(
        std::tuple(s.clickCount, s.rubberBand.figure, s.document().objectCount()),
        std::tuple(0, mode == DrawArea ? RubberFigure::Path : RubberFigure::None, objects[mode]))
        << mode;
  }
}

TEST(ModeTable, EveryModeHasItsStatusTexts) {
  const auto rows = test::dataTable("mode_texts.txt");
  ASSERT_EQ(rows.size(), std::size_t{kModeCount});
  const auto bare = [](const std::string &f) { return f == "-" ? f : f.substr(1, f.size() - 2); };
  for (int mode = 0; mode < kModeCount; ++mode) {
    const char *label = modeLabel(mode);
    EXPECT_EQ(std::tuple(std::string(modeEntryText(mode)), std::string(label ? label : "-")),
              std::tuple(bare(rows[mode][0]), bare(rows[mode][1])));
  }
  EXPECT_EQ(std::tuple(std::string(modeEntryText(-1)), std::string(modeEntryText(kModeCount)),
                       modeLabel(kModeCount)),
            std::tuple("", "", nullptr));
  // A value that is no mode is refused, never taken for another.
  Modes modes;
  modes.selectTool(Scatter);
  EXPECT_EQ(std::tuple(modes.selectTool(kModeCount), modes.enter(-1), modes.mode(),
                       modeOfButton(kScatterButton), modeOfButton(0)),
            std::tuple(false, false, Scatter, int(Scatter), -1));
}

TEST_F(ReadoutFixture, ReadoutInThreeUnits) {
  for (const auto &row : test::dataTable("readouts.txt")) {
    const std::vector<int> n = test::numbers(row[0]);
    ASSERT_GE(n.size(), 8u) << row[0];
    v.unitsMode = n[0];
    s.document().setScale(float(n[1]), float(n[2]), float(n[3]));
    s.document().setMap(LRMemoryDC(n[4], n[4]));
    s.document().setHfType(n.size() > 8 ? n[8] : 0);
    EXPECT_EQ(readoutText(s.document(), v, n[5], n[6], n[7]), row[1].substr(1, row[1].size() - 2))
        << row[0];
  }
}

TEST_F(ReadoutFixture, ArrowsStayInsideTheVisibleMap) {
  for (const auto &row : test::dataTable("arrow_nudges.txt")) {
    const std::vector<int> n = test::numbers(row[0]);
    ASSERT_EQ(n.size(), 6u) << row[0];
    std::tie(s.viewWidth, s.viewHeight, s.scrollX, s.scrollY) = std::tuple(n[0], n[1], n[2], n[3]);
    mouseMotion(s, v, n[4], n[5]);
    window.calls.clear();
    for (Key k : {Key::Left, Key::Right, Key::Up, Key::Down, Key::Other})
      keyIn(s, v, k, false);
    EXPECT_EQ(window.calls, Calls(row.begin() + 1, row.end())) << row[0];
  }
}

std::string objects(const Scene &s) {
  std::ostringstream out;
  for (int t = 0; t < kObjectTypes; ++t)
    for (const ScItem &i : s.document().objects()[static_cast<std::size_t>(t)])
      out << (out.tellp() > 0 ? " " : "") << t << ":" << int(i.x) << "," << int(i.y) << ","
          << int(i.z);
  return out.str();
}

using FillFixture = PlacementFixture;

TEST(Random, StartsFromTheSeededStateAndRandomTypesStayWithinTheSelectedOne) {
  ProgramValues v, seeded;
  seeded.randomState = 12345;
  seedRandom(seeded);
  EXPECT_EQ(seeded.randomState, v.randomState);
  EXPECT_EQ(nextRandom(v), 130);
  // The next value is 32767, which would give type 16; none is drawn without random types.
  std::tie(v.fillRandomType, v.currentType, v.randomState) = std::tuple(1, 15, 1810038784u);
  EXPECT_EQ(randomTypeFor(v), 15);
  v.fillRandomType = 0;
  const std::uint32_t before = v.randomState;
  EXPECT_EQ(randomTypeFor(v), 15);
  EXPECT_EQ(v.randomState, before);
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
    s.scrollX = g[4];
    (row[0] == "line" ? fillLine
     : row[0] == "box"
         ? fillBox
         : fillCircle)(s.document(), v, s.mapPointAt(g[5], g[6]), s.mapPointAt(g[7], g[8]));
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
  fillLine(s.document(), v, {0, 0}, {30, 300});
  v.fillCount = 8;
  fillCircle(s.document(), v, {200, 200}, {150, 260});
  EXPECT_EQ(std::tuple(s.document().objectCount(), v.randomState, s.document().objects()[15][0].x),
            std::tuple(12LL, 4193161758u, 155.0));
}

// The view draws a placement's own mark, and its order line, as a full redraw
// would, and shows the pane once; the tool draws nothing.
TEST_F(FillFixture, SinglePlacementDrawsItsMarkAsARedrawWould) {
  std::tie(s.scrollX, s.scrollY, v.currentType, v.showOrder) = std::tuple(100, 50, 2, 1);
  ASSERT_TRUE(placeSingle(s.document(), v, {120, 80}, 77));
  // Type 3's black frame and white digit, at the map point minus 4.
  EXPECT_EQ(std::tuple(s.document().objects()[2][0], s.viewImage.pixelAt(116, 76),
                       s.viewImage.pixelAt(118, 77)),
            std::tuple(ScItem{120, 77, 80, AboveGround, 0.0}, 0u, 0xFFFFFFu));
  ASSERT_TRUE(placeSingle(s.document(), v, {160, 60}, 5));
  const QImage drawn = s.viewImage.image().copy();
  EXPECT_EQ(pane.calls, Calls(2, "show 100 50 400 400")); // the pane shows the view twice
  redraw(s, v);
  EXPECT_TRUE(s.viewImage.image() == drawn);
  s.document().setObjectLimit(2);
  EXPECT_FALSE(placeSingle(s.document(), v, {101, 51}, 1));
  EXPECT_EQ(pane.calls.size(), 3u);
}

} // namespace
} // namespace hs
