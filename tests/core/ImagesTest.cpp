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

} // namespace
} // namespace hs
