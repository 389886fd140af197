#include "gui/image/vMemoryDC.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <tuple>
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

template <class F> void paint(vMemoryDC &dc, F f) {
  for (int y = 0; y < dc.height(); ++y)
    for (int x = 0; x < dc.width(); ++x)
      dc.writePixel(x, y, static_cast<ColourValue>(f(x, y)));
}

// The plain Bresenham walk from (x, y) to (x2, y2), ends included, white on black.
std::vector<ColourValue> walk(int w, int h, int x, int y, int x2, int y2) {
  std::vector<ColourValue> out(static_cast<std::size_t>(w * h), 0);
  const int dx = std::abs(x2 - x), dy = -std::abs(y2 - y), sx = x < x2 ? 1 : -1;
  const int sy = y < y2 ? 1 : -1;
  for (int err = dx + dy;;) {
    out[static_cast<std::size_t>(y * w + x)] = 0xFFFFFF;
    if (x == x2 && y == y2)
      return out;
    const int e2 = 2 * err;
    if (e2 >= dy)
      err += dy, x += sx;
    if (e2 <= dx)
      err += dx, y += sy;
  }
}

TEST(MemoryDC, PixelsAndIconsRoundTripAndNothingLandsOutside) {
  vMemoryDC dc(5, 3);
  dc.clear();
  dc.writePixel(4, 2, 0x123456);
  EXPECT_EQ(
      std::tuple(dc.readPixel(4, 2), dc.readPixel(-1, 0), dc.readPixel(5, 0), dc.readPixel(0, 3)),
      std::tuple(0x123456u, kNoColour, kNoColour, kNoColour));
  dc.writePixel(4, 2, 0xFFFFFF);
  dc.writePixel(-1, 0, 0); // ignored, no overrun
  dc.writePixel(5, 2, 0);
  dc.drawLine(5, 0, 5, 1); // just past the right edge: not into the next row
  EXPECT_EQ(snapshot(dc), std::vector<ColourValue>(15, 0xFFFFFFu));
  // A row is clipped at both ends and below the image.
  const std::vector<ColourValue> colours{1, 2, 3, 4, 5, 6, 7};
  dc.paintRow(-1, 0, colours);
  dc.paintRow(0, 3, colours);
  vMemoryDC other(3, 5), null; // drawing on no image at all is harmless
  null.clear();
  null.drawLine(0, 0, 5, 5);
  EXPECT_EQ(std::tuple(dc.readPixel(0, 0), dc.readPixel(4, 0), dc.readPixel(0, 1),
                       other.copyFrom(dc), null.readPixel(0, 0)),
            std::tuple(2u, 6u, 0xFFFFFFu, false, kNoColour)); // sizes differ: refused

  // Icons: the key colour (bottom-left 'c') is left out of a transparent one.
  vIcon icon =
      iconFromRows({"ab", "ca"}, {{'a', 0x808080}, {'b', 0x0000FF}, {'c', 0x00FF00}}, true);
  vMemoryDC box(3, 3);
  box.fill(vColor(0x80, 0x80, 0x80));
  box.drawIcon(icon, 1, 1);
  EXPECT_EQ(std::pair(box.readPixel(2, 1), box.readPixel(1, 2)), std::pair(0x0000FFu, 0x808080u));
  icon.transparent = false;
  box.drawIcon(icon, -1, -1); // only the bottom-right pixel lands
  box.drawIcon(icon, 2, 2);
  const ColourValue corner = box.readPixel(2, 2);
  box.drawIcon(icon, 1, 2);
  EXPECT_EQ(std::tuple(box.readPixel(0, 0), corner, box.readPixel(2, 2)),
            std::tuple(0x808080u, 0x808080u, 0x0000FFu));
  const std::vector<ColourValue> before = snapshot(box);
  for (int far : {INT_MIN, INT_MAX, -2, 3})
    box.drawIcon(icon, far, 0);
  icon.pixels.pop_back(); // fewer pixels than 2 x 2: nothing is drawn
  box.drawIcon(icon, 0, 0);
  EXPECT_EQ(snapshot(box), before);
}

TEST(MemoryDC, LinesUseThePenAndInvertingTwiceRestores) {
  vMemoryDC dc(20, 20);
  paint(dc, [](int x, int y) { return x * 4000 + y * 97; });
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
  // Far-away ends are clipped first, not walked pixel by pixel.
  dc.drawLine(-2000000000, 7, 2000000000, 7);
  dc.drawLine(-10, 0, 10, 20); // enters at (0, 10)
  for (Point p : {Point{0, 7}, Point{19, 7}, Point{6, 16}})
    EXPECT_EQ(dc.readPixel(p.x, p.y), vColor(1, 2, 3).value()) << p.x << "," << p.y;

  // Lines on the image, painted or inverted, cover exactly the walk's pixels.
  vMemoryDC small(6, 4);
  small.setPen(vPen{kWhite, 1, LineStyle::Solid});
  for (int a = 0; a < 24 * 24; ++a)
    for (const DrawMode mode : {DrawMode::Normal, DrawMode::Invert}) {
      const int x = a % 6, y = a / 6 % 4, x2 = a / 24 % 6, y2 = a / 144;
      small.fill(kBlack);
      small.setDrawMode(mode);
      small.drawLine(x, y, x2, y2);
      EXPECT_EQ(snapshot(small), walk(6, 4, x, y, x2, y2)) << "line " << a;
    }

  vMemoryDC big(120, 80); // xor figures drawn twice leave it as it was
  paint(big, [](int x, int y) { return x * 2 + y * 700 + 0x10203; });
  const std::vector<ColourValue> was = snapshot(big);
  const auto figures = [&] {
    big.xorLine(3, 70, 110, 5);
    big.xorRect(100, 60, 10, 10); // corners in any order
    big.xorEllipse(20, 15, 90, 65);
  };
  figures();
  EXPECT_EQ(big.readPixel(3, 70), was[70 * 120 + 3] ^ 0xFFFFFFu);
  const auto inverted = [&](int x, int y) { return big.readPixel(x, y) != was[y * 120 + x]; };
  EXPECT_TRUE(inverted(3, 70) && inverted(10, 10) && !inverted(11, 11)); // inside stays
  // The far corners are the points given, not one past them.
  EXPECT_EQ(std::tuple(inverted(100, 60), inverted(101, 60), inverted(100, 61)),
            std::tuple(true, false, false));
  EXPECT_EQ(std::tuple(inverted(20, 40), inverted(90, 40), inverted(91, 40), inverted(55, 65),
                       inverted(55, 66)),
            std::tuple(true, true, false, true, false));
  figures();
  EXPECT_EQ(snapshot(big), was);
  // Figures reaching outside the image are clipped, and still undo themselves.
  big.xorRect(-50, -50, 500, 40);
  EXPECT_NE(snapshot(big), was);
  big.xorRect(-50, -50, 500, 40);
  EXPECT_EQ(snapshot(big), was);
}

} // namespace
} // namespace hs
