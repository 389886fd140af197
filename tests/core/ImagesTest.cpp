#include "core/Icons.h"
#include "core/LRMemoryDC.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

TEST(PaintAtOrBelow, EightBitUsesBlue) {
  LRMemoryDC dc(3, 1);
  dc.writePixel(0, 0, 0x000000); // blue 0
  dc.writePixel(1, 0, 0x01FFFF); // blue 1
  dc.writePixel(2, 0, 0xFFFFFF); // pure white decodes as 255
  dc.paintAtOrBelow(3, 1, 0, 0, 0x123456);
  EXPECT_EQ(dc.pixelAt(0, 0), 0x123456u);
  EXPECT_EQ(dc.pixelAt(1, 0), 0x01FFFFu);
  dc.paintAtOrBelow(3, 1, 0, 255, 0xABCDEF);
  EXPECT_EQ(dc.pixelAt(2, 0), 0xABCDEFu);
}

TEST(PaintAtOrBelow, SixteenBitUsesRedPlus256Green) {
  LRMemoryDC dc(4, 1);
  dc.writePixel(0, 0, 0xFF0102); // red 2, green 1 -> 258, blue ignored
  dc.writePixel(1, 0, 0x000103); // 259
  dc.writePixel(2, 0, 0xFFFFFF); // 65535
  dc.writePixel(3, 0, 0x000000); // 0
  dc.paintAtOrBelow(4, 1, 1, 258, 0x111111);
  EXPECT_EQ(dc.pixelAt(0, 0), 0x111111u);
  EXPECT_EQ(dc.pixelAt(1, 0), 0x000103u);
  EXPECT_EQ(dc.pixelAt(2, 0), 0xFFFFFFu);
  EXPECT_EQ(dc.pixelAt(3, 0), 0x111111u);
  dc.paintAtOrBelow(4, 1, 1, 65535, 0x222222);
  EXPECT_EQ(dc.pixelAt(2, 0), 0x222222u);
}

TEST(PaintAtOrBelow, StaysInsideTheGivenAndTheImageSize) {
  LRMemoryDC dc(2, 2);
  dc.clear();
  dc.paintAtOrBelow(1, 1, 0, 255, 0);
  EXPECT_EQ(dc.pixelAt(0, 0), 0u);
  EXPECT_EQ(dc.pixelAt(1, 0), 0xFFFFFFu);
  dc.paintAtOrBelow(50, 50, 0, 255, 0); // larger than the image: clipped
  EXPECT_EQ(dc.pixelAt(1, 1), 0u);
}

TEST(BuiltinIcons, SizesKeysAndDigits) {
  EXPECT_EQ(cameraIcon().width, 15);
  EXPECT_FALSE(cameraIcon().transparent);
  EXPECT_TRUE(lookIcon().transparent);
  EXPECT_EQ(lookIcon().key(), 0xBFBFBFu);
  EXPECT_EQ(cameraIcon().at(2, 5), 0xBFBFBFu);
  const auto &m = builtinMarkers();
  // "1": column 3 lit in rows 2..4, a white foot in row 5.
  EXPECT_EQ(m[0].at(3, 3), 0xFFFFFFu);
  EXPECT_EQ(m[0].at(1, 3), 0u);
  EXPECT_EQ(m[0].at(4, 5), 0xFFFFFFu);
  // "16": cyan ink, the leading 1 as a single column at the left.
  EXPECT_EQ(m[15].at(1, 1), 0xFFFF00u);
  EXPECT_EQ(m[15].at(1, 5), 0xFFFF00u);
  EXPECT_EQ(m[15].at(2, 1), 0u);
  for (const vIcon &icon : m) {
    EXPECT_EQ(icon.width, 7);
    EXPECT_EQ(icon.height, 7);
    EXPECT_FALSE(icon.transparent);
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(icon.at(x, 0), 0u) << "top row is black";
  }
}

} // namespace
} // namespace hs
