#include "gui/image/vMemoryDC.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace hs {
namespace {

std::vector<ColourValue> snapshot(const vMemoryDC &dc) {
  std::vector<ColourValue> out;
  for (int y = 0; y < dc.height(); ++y)
    for (int x = 0; x < dc.width(); ++x)
      out.push_back(dc.readPixel(x, y));
  return out;
}

TEST(MemoryDC, EveryColourRoundTripsThroughWriteAndRowPaint) {
  vMemoryDC dc(4096, 4096); // 2^24 pixels: one for each colour
  for (ColourValue c = 0; c < (1u << 24); ++c)
    dc.writePixel(static_cast<int>(c & 4095), static_cast<int>(c >> 12), c);
  for (ColourValue c = 0; c < (1u << 24); ++c)
    ASSERT_EQ(dc.readPixel(static_cast<int>(c & 4095), static_cast<int>(c >> 12)), c);
  // A painted row lands as given.
  std::vector<ColourValue> row(4096);
  for (int x = 0; x < 4096; ++x)
    row[static_cast<std::size_t>(x)] = static_cast<ColourValue>(x) * 4097u ^ 0xA5A5A5u;
  dc.paintRow(0, 77, row);
  for (int x = 0; x < 4096; ++x)
    ASSERT_EQ(dc.readPixel(x, 77), row[static_cast<std::size_t>(x)]);
}

TEST(MemoryDC, ClearOutsideReadsAndNoImage) {
  vMemoryDC dc(5, 3);
  dc.clear();
  for (ColourValue c : snapshot(dc))
    EXPECT_EQ(c, 0xFFFFFFu);
  EXPECT_EQ(dc.readPixel(-1, 0), kNoColour);
  EXPECT_EQ(dc.readPixel(5, 0), kNoColour);
  EXPECT_EQ(dc.readPixel(0, 3), kNoColour);
  dc.writePixel(-1, 0, 0); // ignored, no overrun
  dc.writePixel(5, 2, 0);
  EXPECT_EQ(snapshot(dc), std::vector<ColourValue>(15, 0xFFFFFFu));
  // A row is clipped at both ends and below the image.
  const std::vector<ColourValue> colours{1, 2, 3, 4, 5, 6, 7};
  dc.paintRow(-1, 0, colours);
  dc.paintRow(0, 3, colours);
  EXPECT_EQ(dc.readPixel(0, 0), 2u);
  EXPECT_EQ(dc.readPixel(4, 0), 6u);
  EXPECT_EQ(dc.readPixel(0, 1), 0xFFFFFFu);
  vMemoryDC other(3, 5);
  EXPECT_FALSE(other.copyFrom(dc)); // sizes differ: refused
  vMemoryDC null;                   // drawing on no image at all is harmless
  null.clear();
  null.drawLine(0, 0, 5, 5);
  EXPECT_EQ(null.readPixel(0, 0), kNoColour);
}

TEST(MemoryDC, LinesUseThePenAndInvertingTwiceRestores) {
  vMemoryDC dc(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      dc.writePixel(x, y, static_cast<ColourValue>(x * 4000 + y * 97));
  const auto before = snapshot(dc);

  dc.setDrawMode(DrawMode::Invert);
  dc.drawLine(1, 2, 17, 13);
  dc.drawLine(-5, 30, 40, -8); // leaves the image on both sides
  EXPECT_NE(snapshot(dc), before);
  EXPECT_EQ(dc.readPixel(1, 2), before[2 * 20 + 1] ^ 0xFFFFFFu);
  dc.drawLine(-5, 30, 40, -8);
  dc.drawLine(1, 2, 17, 13);
  EXPECT_EQ(snapshot(dc), before);

  dc.setDrawMode(DrawMode::Normal);
  dc.setPen(vPen{vColor(1, 2, 3), 1, LineStyle::Solid});
  dc.drawLine(0, 5, 19, 5);
  for (int x = 0; x < 20; ++x)
    EXPECT_EQ(dc.readPixel(x, 5), vColor(1, 2, 3).value());
  // Far-away ends are clipped first, not walked pixel by pixel.
  dc.drawLine(-2000000000, 7, 2000000000, 7);
  EXPECT_EQ(dc.readPixel(9, 7), vColor(1, 2, 3).value());
  dc.drawLine(-2000000000, -2000000000, -1000000, -3); // wholly outside
  dc.drawLine(-10, 0, 10, 20);                         // enters at (0, 10)
  EXPECT_EQ(dc.readPixel(0, 10), vColor(1, 2, 3).value());
  EXPECT_EQ(dc.readPixel(6, 16), vColor(1, 2, 3).value());
}

TEST(MemoryDC, PolygonFillsEvenOdd) {
  vMemoryDC dc(40, 40);
  dc.clear();
  dc.setPen(vPen{vColor(0, 0, 0), 1, LineStyle::Solid});
  dc.setBrush(vBrush{vColor(10, 20, 30), FillStyle::Solid});
  // A square traced twice around its inner part: the inner square is covered
  // twice and so stays unfilled under the even-odd rule.
  const std::vector<Point> pts{{2, 2},   {37, 2},  {37, 37}, {2, 37},  {2, 2},
                               {12, 12}, {27, 12}, {27, 27}, {12, 27}, {12, 12}};
  dc.drawPolygon(pts);
  EXPECT_EQ(dc.readPixel(6, 20), vColor(10, 20, 30).value());
  EXPECT_EQ(dc.readPixel(20, 20), 0xFFFFFFu);
  EXPECT_EQ(dc.readPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(dc.readPixel(2, 20), 0u); // outline

  dc.setDrawMode(DrawMode::Invert);
  const auto before = snapshot(dc);
  dc.drawPolygon(pts);
  dc.drawPolygon(pts);
  EXPECT_EQ(snapshot(dc), before);
}

// Height sampling tests whole words against 0xFFFFFFFF, so no operation may
// leave a stored pixel with an alpha byte other than 0xFF.
TEST(MemoryDC, EveryStoredPixelStaysOpaque) {
  vMemoryDC dc(30, 30);
  auto allOpaque = [&dc] {
    for (int y = 0; y < dc.height(); ++y)
      for (int x = 0; x < dc.width(); ++x)
        if ((dc.rowPixels(y)[x] >> 24) != 0xFFu)
          return false;
    return true;
  };
  EXPECT_TRUE(allOpaque()); // a new image, before any clear
  const std::vector<Point> pts{{1, 1}, {28, 3}, {15, 28}};
  dc.setPen(vPen{vColor(9, 8, 7), 3, LineStyle::Dash});
  dc.setBrush(vBrush{vColor(200, 100, 0), FillStyle::Solid});
  dc.drawLine(0, 0, 29, 29);
  dc.drawPolygon(pts);
  dc.setDrawMode(DrawMode::Invert);
  dc.drawLine(0, 29, 29, 0);
  dc.drawPolygon(pts);
  dc.drawIcon(iconFromRows({"ab"}, {{'a', 0xFFFFFF}, {'b', 0}}, false), 3, 3);
  EXPECT_TRUE(allOpaque());
}

TEST(MemoryDC, IconsOpaqueTransparentAndClipped) {
  vIcon icon = iconFromRows({"ab", "ca"}, {{'a', 0x808080}, {'b', 0x0000FF}, {'c', 0x00FF00}},
                            true); // key: bottom-left 'c'
  vMemoryDC dc(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      dc.writePixel(x, y, 0x808080);
  dc.drawIcon(icon, 1, 1);
  EXPECT_EQ(dc.readPixel(2, 1), 0x0000FFu);
  EXPECT_EQ(dc.readPixel(1, 2), 0x808080u); // the key colour is left out

  icon.transparent = false;
  dc.drawIcon(icon, -1, -1); // only the bottom-right pixel lands
  EXPECT_EQ(dc.readPixel(0, 0), 0x808080u);
  dc.drawIcon(icon, 2, 2);
  EXPECT_EQ(dc.readPixel(2, 2), 0x808080u);
  dc.drawIcon(icon, 1, 2);
  EXPECT_EQ(dc.readPixel(2, 2), 0x0000FFu);

  const std::vector<ColourValue> before = snapshot(dc);
  for (int far : {INT_MIN, INT_MAX, -2, 3})
    dc.drawIcon(icon, far, 0);
  icon.pixels.pop_back(); // fewer pixels than 2 x 2: nothing is drawn
  dc.drawIcon(icon, 0, 0);
  EXPECT_EQ(snapshot(dc), before);
}

TEST(MemoryDC, XorFiguresDrawnTwiceLeaveTheImageAsItWas) {
  vMemoryDC dc(120, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x)
      dc.writePixel(x, y, static_cast<ColourValue>(x * 2 + y * 700 + 0x10203));
  const std::vector<ColourValue> before = snapshot(dc);
  dc.xorLine(3, 70, 110, 5);
  dc.xorRect(100, 60, 10, 10); // corners in any order
  dc.xorEllipse(20, 15, 90, 65);
  // XOR inverts: a pixel on the line, and a corner of the rectangle.
  EXPECT_EQ(dc.readPixel(3, 70), before[70 * 120 + 3] ^ 0xFFFFFFu);
  EXPECT_EQ(dc.readPixel(10, 10), before[10 * 120 + 10] ^ 0xFFFFFFu);
  EXPECT_EQ(dc.readPixel(11, 11), before[11 * 120 + 11]); // inside stays
  dc.xorEllipse(20, 15, 90, 65);
  dc.xorLine(3, 70, 110, 5);
  dc.xorRect(100, 60, 10, 10);
  EXPECT_EQ(snapshot(dc), before);
  // Figures reaching outside the image are clipped, and still undo themselves.
  dc.xorRect(-50, -50, 500, 40);
  EXPECT_NE(snapshot(dc), before);
  dc.xorRect(-50, -50, 500, 40);
  EXPECT_EQ(snapshot(dc), before);
}

} // namespace
} // namespace hs
