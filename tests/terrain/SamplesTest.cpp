#include "terrain/Height.h"
#include "terrain/HeightField.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hs {
namespace {

const std::string kSamples = std::string(HS_TEST_DATA) + "/../../samples";

TEST(Samples, IntroTerrainLoadsWithHillsAndALake) {
  Scene s;
  WindowValues w;
  ASSERT_EQ(loadHeightFieldByName(s, w, defaultPalette(), kSamples + "/Intro.tga"), Loaded);
  EXPECT_EQ(w.hfFileType, 0);
  EXPECT_EQ(s.mapWidth, 400);
  EXPECT_EQ(s.mapHeight, 400);
  std::set<int> heights;
  int lake = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) {
      const int h = height8At(s, x, y);
      heights.insert(h);
      lake += h == 0;
    }
  EXPECT_GE(heights.size(), 230u); // spread over the palette's range
  EXPECT_EQ(*heights.begin(), 0);
  EXPECT_EQ(*heights.rbegin(), 255);
  EXPECT_GT(lake, 400 * 400 / 50); // a lake that water level 0 fills
}

TEST(Samples, SixteenBitHillsLoad) {
  Scene s;
  WindowValues w;
  ASSERT_EQ(loadHeightFieldByName(s, w, defaultPalette(), kSamples + "/Hills16.ppm"), Loaded);
  EXPECT_EQ(w.hfFileType, 1);
  EXPECT_EQ(s.mapWidth, 512);
  EXPECT_EQ(s.mapCentreX, 255.0f);
  int lo = 65535, hi = 0;
  std::set<int> heights;
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x) {
      const int h = height16At(s, x, y);
      lo = std::min(lo, h);
      hi = std::max(hi, h);
      heights.insert(h);
    }
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 65535);
  EXPECT_GT(heights.size(), 20000u); // finer than 8 bits could hold
}

} // namespace
} // namespace hs
