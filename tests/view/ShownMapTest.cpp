#include "view/ShownMap.h"

#include "terrain/HeightField.h"
#include "view/Redraw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace hs {
namespace {

template <class Level> void sixteenBitMap(Scene &s, int w, int h, Level level) {
  LRMemoryDC image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto v = static_cast<std::uint32_t>(level(x, y));
      image.rowPixels(y)[x] = 0xFF000000u | (v & 255) << 16 | (v >> 8) << 8;
    }
  commitHeightField(s.document(), std::move(image));
  s.document().setHfType(PngMap);
}

// Planes over a grey of 100, lit from the north-west; edges and corners alike.
TEST(ShownMap, ReliefLightsSlopesFacingTheNorthWest) {
  Palette grey;
  grey.fill(0x646464); // 100
  // Rise east and south per pixel, over this width between pixels; none is shown as flat.
  const std::tuple<int, int, float, int> planes[] = {{1, 0, 4, 115}, {-1, 0, 4, 40}, {0, 1, 4, 115},
                                                     {0, -1, 4, 40}, {-1, 1, 4, 67}, {-4, 0, 4, 25},
                                                     {0, 0, 4, 100}, {1, 0, 0, 100}};
  for (const auto &[east, south, width, want] : planes) {
    Scene s;
    sixteenBitMap(s, 5, 5, [&](int x, int y) { return 30000 + 256 * (east * x + south * y); });
    s.document().setScale(width, 65535.0f / 256, 4.0f);
    LRMemoryDC out;
    ASSERT_TRUE(buildShownMap(s.document(), grey, true, out));
    for (int i = 0; i < 25; ++i)
      ASSERT_EQ(out.readPixel(i % 5, i / 5), ColourValue(want * 0x10101))
          << east << "," << south << "," << width << " at " << i % 5 << "," << i / 5;
  }
}

TEST(ShownMap, ColoursByHighByteAndIsKeptUntilWhatItShowsChanges) {
  Scene s;
  ProgramValues values;
  Document &d = s.document();
  sixteenBitMap(s, 3, 2, [](int x, int y) { return x * 0x1234 + y * 0x8000; });
  s.showRelief[1] = 0;
  Palette pal = defaultPalette();
  const LRMemoryDC &shown = shownMap(s, pal);
  EXPECT_EQ(&shown, &s.shownMap);
  EXPECT_EQ(std::tuple(shown.readPixel(1, 0), shown.readPixel(2, 1)),
            std::tuple(pal[0x12], pal[0x80 + 0x24]));
  s.shownMap.writePixel(0, 0, 0x123456); // gone when made again
  const auto remade = [&](auto change) {
    change();
    const bool again = shownMap(s, pal).readPixel(0, 0) != 0x123456;
    s.shownMap.writePixel(0, 0, 0x123456);
    return again;
  };
  EXPECT_FALSE(remade([] {}));
  EXPECT_TRUE(remade([&] { d.setScale(100, 2, 100); }));
  EXPECT_TRUE(remade([&] { d.setScale(2, 2, 100); }));
  EXPECT_TRUE(remade([&] { pal[9] = 1; }));
  EXPECT_TRUE(remade([&] { d.recolour([](LRMemoryDC &) {}); }));
  EXPECT_TRUE(remade([&] { toggleRelief(s, values); }));
  EXPECT_TRUE(remade([&] { s.document().setHfType(PgmMap); }));
  s.document().setHfType(TargaMap);
  EXPECT_EQ(&shownMap(s, pal), &s.document().baseImage());
  EXPECT_EQ(s.showRelief, (std::array<int, 2>{0, 1}));
}

} // namespace
} // namespace hs
