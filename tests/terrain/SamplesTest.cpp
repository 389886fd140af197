#include "terrain/Height.h"
#include "terrain/HeightField.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hs {
namespace {

// Both samples load, span the whole height range and are not flat steps.
TEST(Samples, BothTerrainsLoadWithTheirFullHeightRange) {
  struct Case {
    const char *file;
    int type, size, top;
    std::size_t levels;
  };
  for (const Case &c :
       {Case{"Intro.tga", 0, 400, 255, 230}, Case{"Hills16.ppm", 1, 512, 65535, 20000}}) {
    Scene s;
    WindowValues w;
    ASSERT_EQ(loadHeightFieldByName(s, w, defaultPalette(),
                                    std::string(HS_TEST_DATA) + "/../../samples/" + c.file),
              Loaded);
    EXPECT_EQ(w.hfFileType, c.type);
    EXPECT_EQ(s.mapWidth, c.size);
    EXPECT_EQ(s.mapHeight, c.size);
    std::set<int> heights;
    int zero = 0;
    for (int y = 0; y < c.size; ++y)
      for (int x = 0; x < c.size; ++x) {
        const int h = c.type ? height16At(s, x, y) : height8At(s, x, y);
        heights.insert(h);
        zero += h == 0;
      }
    EXPECT_GE(heights.size(), c.levels) << c.file;
    EXPECT_EQ(*heights.begin(), 0);
    EXPECT_EQ(*heights.rbegin(), c.top);
    if (c.type == 0) {
      EXPECT_GT(zero, 400 * 400 / 50); // a lake that water level 0 fills
    }
  }
}

} // namespace
} // namespace hs
