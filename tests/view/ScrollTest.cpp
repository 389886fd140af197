#include "view/Scroll.h"

#include "support/FakeSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

constexpr ScrollAxis H = ScrollAxis::Horizontal;
constexpr ScrollAxis V = ScrollAxis::Vertical;

struct ScrollFixture : ::testing::Test {
  Scene s;
  test::FakeSurface pane;
  void SetUp() override { s.attachSurface(&pane); }
  const std::string &call(std::size_t fromEnd) { return pane.calls[pane.calls.size() - fromEnd]; }
};

// Trough clicks page and thumb moves jump.
TEST_F(ScrollFixture, ResizeGoesBackToTheCornerAndHidesABarWhenTheMapFitsAndBarsScroll) {
  std::tie(s.scrollX, s.scrollY) = std::pair(30, 40);
  resizePane(s, 200, 500);
  EXPECT_EQ(std::tuple(s.viewWidth, s.viewHeight, s.scrollX, s.scrollY),
            std::tuple(200, 500, 0, 0));
  EXPECT_EQ(pane.calls, (std::vector<std::string>{"background 18 19 138 0", "hbar 1 50 0 0",
                                                  "vbar 0 125 0 0", "show 0 0 200 500"}));
  resizePane(s, 400, 399);
  EXPECT_EQ(std::tuple(call(3), call(2)), std::tuple("hbar 0 100 0 0", "vbar 1 99 0 0"));
  resizePane(s, 200, 400); // thumb 50%; steps of (size, position, offset after)
  const int steps[][3] = {{50, 60, 50},  {50, 80, 100}, {40, 25, 50}, {40, 0, 0},
                          {50, 25, 100}, {50, 10, 40},  {50, 99, 90}};
  for (const auto &[size, pos, want] : steps) {
    pageTo(s, H, size, pos);
    EXPECT_EQ(s.scrollX, want) << size << "," << pos;
  }
  EXPECT_EQ(call(1), "show 90 0 200 400");
  for (int i = 0; i < 6; ++i)
    pageTo(s, H, 50, 99);
  EXPECT_EQ(s.scrollX, 200);
  resizePane(s, 400, 100);
  pageTo(s, V, 25, 20);
  EXPECT_EQ(s.scrollY, 80);
}

TEST(WindowFit, TheLargestZoomThatFitsNinetyPercentOfTheScreen) {
  EXPECT_EQ(fitWindowToMap(400, 400, 20, 150, 1920, 1080), (WindowFit{820, 950, 1}));
  EXPECT_EQ(fitWindowToMap(4096, 4096, 20, 150, 1920, 1080), (WindowFit{532, 662, -3}));
  EXPECT_EQ(fitWindowToMap(400, 400, 20, 150, 640, 480), (WindowFit{500, 350, -1}));
  EXPECT_EQ(fitWindowToMap(400, 10, 20, 150, 1920, 1080), (WindowFit{1620, 300, 2}));
  EXPECT_EQ(fitWindowToMap(16384, 16384, 20, 150, 800, 600), (WindowFit{720, 540, -4}));
}

} // namespace
} // namespace hs
