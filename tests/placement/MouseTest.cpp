#include "placement/Readout.h"
#include "placement/Tool.h"

#include "Fakes.h"
#include "placement/Fill.h"
#include "support/DataTable.h"
#include "support/InChild.h"

namespace hs {
namespace {

struct MouseFixture : PlacementFixture {
  Figures dragTo(int x, int y) {
    mouseDrag(s, v, x, y, kLeftButton);
    return pane.xorFigures();
  }
};

// A gesture that ends where it started neither fills nor deletes nor leaves a band.
TEST_F(MouseFixture, PressAndReleaseAtOnePointDoNothingInFillAndDeleteModes) {
  add(0, 100, 100);
  for (int mode : {LineFill, BoxFill, CircleFill, DeleteObjects}) {
    v.modes.selectTool(mode);
    gesture(s, v, {{90, 90}});
    gesture(s, v, {{90, 90}, {120, 130}, {90, 90}}); // the figure drawn on the way goes again
    EXPECT_EQ(std::tuple(s.document().objectCount(), pane.showCount, pane.xorFigures().size()),
              std::tuple(1LL, 0, 0ul))
        << mode;
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

// Objects missing from a fill cut short by the object limit are explained.
TEST_F(MouseFixture, AFillStoppedByTheObjectLimitSaysHowManyItPlaced) {
  s.document().setObjectLimit(30);
  for (int i = 0; i < 5; ++i)
    s.document().append(1, i, 0, 0, AboveGround, 0);
  v.modes.selectTool(BoxFill);
  gesture(s, v, {{10, 10}, {15, 15}, {20, 20}}); // 100 objects asked for
  ASSERT_EQ(std::pair(s.document().objects()[0].count(), window.notices.size()),
            std::pair(25, 1ul));
  EXPECT_NE(window.notices[0].second.find(" 25 "), std::string::npos) << window.notices[0].second;
  s.document().setObjectLimit(1000);
  gesture(s, v, {{10, 10}, {15, 15}, {20, 20}}); // fits: no notice
  EXPECT_EQ(window.notices.size(), 1u);
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

TEST_F(MouseFixture, RubberBandsFollowThePointerAndRemoveThemselves) {
  v.modes.selectTool(LineFill);
  mousePress(s, v, 50, 60, kLeftButton);
  EXPECT_EQ(dragTo(70, 80), Figures{"xorLine 50 60 70 80"});
  EXPECT_EQ(dragTo(90, 65), Figures{"xorLine 50 60 90 65"});
  mouseRelease(s, v, 90, 65, kLeftButton);
  EXPECT_TRUE(pane.xorFigures().empty());
  v.modes.selectTool(DeleteObjects);
  mousePress(s, v, 50, 60, kLeftButton);
  EXPECT_EQ(dragTo(20, 90), Figures{"xorRect 20 60 50 90"});
  mouseRelease(s, v, 20, 90, kLeftButton);
  EXPECT_TRUE(pane.xorFigures().empty());
  v.modes.selectTool(CircleFill);
  mousePress(s, v, 100, 100, kLeftButton);
  EXPECT_EQ(dragTo(130, 90), (Figures{"xorEllipse 70 90 130 110", "xorRect 70 90 130 110"}));
  s.repaint(); // covers the band: the next step must not draw the old one back
  EXPECT_EQ(dragTo(120, 120), (Figures{"xorEllipse 80 80 120 120", "xorRect 80 80 120 120"}));
}

TEST_F(MouseFixture, SingleClickPlacesAtTheReleasePointButNeverWithTheRightButton) {
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
}

TEST(MouseUnattached, EveryModeTakesAGestureWithNoWindowOrPane) {
  // The one object there, what the gesture adds and the one Return places.
  const long long objects[kModeCount] = {3, 5, 11, 3, 2, 2, 2, 2, 2, 2, 2, 2, 45};
  for (int mode = 0; mode < kModeCount; ++mode) {
    Scene s;
    ProgramValues v;
    v.fillCount = 3;
    v.modes.selectTool(mode);
    paintRampMap(s);
    s.document().append(0, 20, 0, 20, AboveGround, 0);
    gesture(s, v, {{20, 20}, {60, 50}});
    keyIn(s, v, Key::Return, false);
    EXPECT_EQ(std::tuple(s.clickCount, s.rubberBand.figure, s.document().objectCount()),
              std::tuple(0, RubberFigure::None, objects[mode]))
        << mode;
  }
}

TEST(ModeTable, EveryModeHasItsStatusTexts) {
  const auto rows = test::dataTable("mode_texts.txt");
  ASSERT_EQ(rows.size(), std::size_t{kModeCount});
  const auto unquoted = [](const std::string &f) {
    return f == "-" ? f : f.substr(1, f.size() - 2);
  };
  for (int mode = 0; mode < kModeCount; ++mode) {
    const char *label = modeLabel(mode);
    EXPECT_EQ(std::tuple(std::string(modeEntryText(mode)), std::string(label ? label : "-")),
              std::tuple(unquoted(rows[mode][0]), unquoted(rows[mode][1])));
  }
  EXPECT_EQ(std::tuple(std::string(modeEntryText(-1)), std::string(modeEntryText(kModeCount)),
                       modeLabel(kModeCount)),
            std::tuple("", "", nullptr));
}

} // namespace
} // namespace hs
