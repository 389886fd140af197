#include "view/Scroll.h"

#include "support/FakeSurface.h"

#include <gtest/gtest.h>

#include <string>

namespace hs {
namespace {

constexpr ScrollAxis H = ScrollAxis::Horizontal;
constexpr ScrollAxis V = ScrollAxis::Vertical;

struct ScrollFixture : ::testing::Test {
  Scene s;
  test::FakeSurface pane;
  void SetUp() override { s.attachSurface(&pane); }
};

TEST_F(ScrollFixture, ResizeGoesBackToTheCornerAndHidesABarWhenTheMapFits) {
  s.scrollX = 30;
  s.scrollY = 40;
  resizePane(s, 200, 500);
  EXPECT_EQ(s.viewWidth, 200);
  EXPECT_EQ(s.viewHeight, 500);
  EXPECT_EQ(s.scrollX, 0);
  EXPECT_EQ(s.scrollY, 0);
  EXPECT_EQ(s.hThumbPercent, 50);
  EXPECT_EQ(s.vThumbPercent, 125);
  EXPECT_EQ(pane.calls, (std::vector<std::string>{"background 18 19 138 0", "hbar 1 50 0 0",
                                                  "vbar 0 125 0 0", "show 0 0 200 500"}));
  resizePane(s, 400, 399);
  EXPECT_EQ(pane.calls[pane.calls.size() - 3], "hbar 0 100 0 0");
  EXPECT_EQ(pane.calls[pane.calls.size() - 2], "vbar 1 99 0 0");
}

TEST_F(ScrollFixture, ArrowsStepEightPixelsAndStopAtTheEnds) {
  resizePane(s, 200, 100);
  stepScroll(s, H, 1);
  EXPECT_EQ(s.scrollX, 8);
  stepScroll(s, H, 2);
  EXPECT_EQ(s.scrollX, 24);
  EXPECT_EQ(pane.calls.back(), "show 24 0 200 100");
  EXPECT_EQ(pane.calls[pane.calls.size() - 2], "hbar 1 50 6 0");
  stepScroll(s, H, -5);
  EXPECT_EQ(s.scrollX, 0);
  stepScroll(s, V, 1000);
  EXPECT_EQ(s.scrollY, 300);
  EXPECT_EQ(s.scrollX, 0);
}

TEST_F(ScrollFixture, AWideMapStopsWhereItsLastColumnMeetsThePanesEdge) {
  s.setMapSize(512, 400);
  resizePane(s, 400, 400);
  EXPECT_EQ(s.hThumbPercent, 78);
  for (int i = 0; i < 20; ++i)
    stepScroll(s, H, 1);
  EXPECT_EQ(s.scrollX, 112);
  scrollBy(s, H, -200);
  EXPECT_EQ(s.scrollX, 0);
  // The map fits vertically: nothing moves that way.
  scrollBy(s, V, 8);
  EXPECT_EQ(s.scrollY, 0);
}

TEST_F(ScrollFixture, TroughClicksPageFiftyPixels) {
  resizePane(s, 200, 400); // thumb 50%
  // (size, position, offset after): beyond the thumb's end pages forward; a
  // size below the thumb's marks a page back.
  const int steps[][3] = {{50, 60, 50}, {50, 80, 100}, {40, 25, 50}, {40, 0, 0}, {40, 0, 0}};
  for (const auto &[size, pos, want] : steps) {
    pageTo(s, H, size, pos);
    EXPECT_EQ(s.scrollX, want) << size << "," << pos;
  }
  for (int i = 0; i < 6; ++i)
    pageTo(s, H, 50, 99);
  EXPECT_EQ(s.scrollX, 200);
}

TEST_F(ScrollFixture, MovingTheThumbJumpsToItsPlace) {
  resizePane(s, 200, 400);
  EXPECT_EQ(s.hThumbPercent, 50);
  pageTo(s, H, 50, 25);
  EXPECT_EQ(s.scrollX, 100);
  EXPECT_EQ(pane.calls.back(), "show 100 0 200 400");
  pageTo(s, H, 50, 10);
  EXPECT_EQ(s.scrollX, 40);
  resizePane(s, 400, 100);
  pageTo(s, V, 25, 20);
  EXPECT_EQ(s.scrollY, 80);
}

TEST_F(ScrollFixture, ASmallerMapPullsTheOffsetBack) {
  s.setMapSize(1000, 400);
  resizePane(s, 400, 400);
  scrollBy(s, H, 600);
  EXPECT_EQ(s.scrollX, 600);
  s.setMapSize(700, 400);
  updateScrollBars(s);
  EXPECT_EQ(s.scrollX, 300);
  EXPECT_EQ(pane.calls[pane.calls.size() - 2], "hbar 1 40 42 0");
  s.setMapSize(300, 400);
  updateScrollBars(s);
  EXPECT_EQ(s.scrollX, 0);
}

} // namespace
} // namespace hs
