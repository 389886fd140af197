#include "terrain/Palette.h"
#include "terrain/Height.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace hs {
namespace {

std::string lines(int n) {
  std::string text;
  for (int i = 0; i < n; ++i)
    text += std::to_string(i) + "," + std::to_string(i) + "," + std::to_string(i) + "\n";
  return text;
}

TEST(PaletteLine, ScanfIntegerConventions) {
  ColourValue c = 0;
  ASSERT_TRUE(parsePaletteLine("300,0,7", c));
  EXPECT_EQ(c, vColor(44, 0, 7).value());
  ASSERT_TRUE(parsePaletteLine("0x10,010,3", c));
  EXPECT_EQ(c, vColor(16, 8, 3).value());
  ASSERT_TRUE(parsePaletteLine("  1,\t2, +3 blue is height", c));
  EXPECT_EQ(c, vColor(1, 2, 3).value());
  ASSERT_TRUE(parsePaletteLine("-1,0XfF,0", c));
  EXPECT_EQ(c, vColor(255, 255, 0).value());
  ASSERT_TRUE(parsePaletteLine("99999999999999999999999,1,2", c)); // never overflows
  for (const char *bad : {"1 ,2,3", "", "1,2", "1,,3", "a,1,2", "08,1,1", "1;2;3", "-,1,2"}) {
    c = 42;
    EXPECT_FALSE(parsePaletteLine(bad, c)) << bad;
    EXPECT_EQ(c, 42u);
  }
}

TEST(LoadPalette, AllOrNothing) {
  TestFolder dir;
  Palette p = defaultPalette();
  EXPECT_EQ(loadPalette(p, "/nonexistent/Std.pal"), PaletteOpenError);
  EXPECT_EQ(loadPalette(p, dir.path()), PaletteOpenError); // a directory
  // 255 good lines: refused, and not even the good ones are taken.
  EXPECT_EQ(loadPalette(p, dir.write("hs255.pal", lines(255))), PaletteBodyError);
  EXPECT_EQ(p, defaultPalette());
  std::string broken = lines(256);
  broken.replace(broken.find("100,100,100"), 11, "100 ,100,100");
  EXPECT_EQ(loadPalette(p, dir.write("hsbad.pal", broken)), PaletteBodyError);
  EXPECT_EQ(loadPalette(p, dir.write("hsempty.pal", "\n" + lines(256))), PaletteBodyError);
  EXPECT_EQ(p, defaultPalette());

  // 256 lines with CRLF ends, no final line end, then junk: all fine.
  std::string crlf;
  for (int i = 0; i < 256; ++i)
    crlf += std::to_string(i) + ",0," + std::to_string(255 - i) + (i < 255 ? "\r\n" : "");
  ASSERT_EQ(loadPalette(p, dir.write("hscrlf.pal", crlf)), PaletteLoaded);
  EXPECT_EQ(p[3], vColor(3, 0, 252).value());
  ASSERT_EQ(loadPalette(p, dir.write("hsgrey.pal", lines(256) + "garbage\n")), PaletteLoaded);
  EXPECT_EQ(p[200], vColor(200, 200, 200).value());
  // A very long line keeps its numbers and is one line.
  const std::string longLine = "1,2,3" + std::string(100000, ' ') + "\n" + lines(256).substr(6);
  ASSERT_EQ(loadPalette(p, dir.write("hslong.pal", longLine)), PaletteLoaded);
  EXPECT_EQ(p[0], vColor(1, 2, 3).value());
}

TEST(ApplyPalette, GreyRampKeepsHeights) {
  Scene s;
  for (int x = 0; x < 256; ++x)
    s.baseImage.writePixel(x, 7, defaultPalette()[static_cast<std::size_t>(x)]);
  Palette grey;
  for (int i = 0; i < 256; ++i)
    grey[static_cast<std::size_t>(i)] = vColor(i, i, i).value();
  applyPalette(s, grey);
  for (int x = 0; x < 241; ++x) {
    EXPECT_EQ(height8At(s, x, 7), x);
    EXPECT_EQ(s.baseImage.readPixel(x, 7), vColor(x, x, x).value());
  }
  EXPECT_EQ(s.baseImage.readPixel(250, 7), 0xFFFFFFu); // 241..255 all carried blue 255
  EXPECT_EQ(s.baseImage.readPixel(3, 3), 0xFFFFFFu);   // white stays white through grey
}

TEST(PaletteCommand, OnlyATargaMapTakesAPaletteAndItIsRecoloured) {
  Scene s;
  WindowValues w;
  s.baseImage.writePixel(1, 1, defaultPalette()[100]);
  Palette p = defaultPalette();
  TestFolder dir;
  const std::string grey = dir.write("hscmd.pal", lines(256));
  // A PPM map, then a failed Targa load: the attempt's type must not let the
  // PPM map be recoloured. The toggle only releases.
  s.hfType = 1;
  w.hfFileType = 0;
  EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteCancelled);
  EXPECT_EQ(p, defaultPalette());
  EXPECT_EQ(s.baseImage.readPixel(1, 1), defaultPalette()[100]);

  // A Targa map after a failed PPM load takes one.
  s.hfType = 0;
  w.hfFileType = 1;
  EXPECT_EQ(paletteCommand(s, w, p, std::string("/nonexistent.pal")), PaletteOpenError);
  EXPECT_EQ(w.paletteFileName, "/nonexistent.pal");
  EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteLoaded);
  EXPECT_EQ(s.baseImage.readPixel(1, 1), vColor(100, 100, 100).value());
}

TEST(PaletteSample, StdPalIsTheBuiltInOneWithHeightsAsIndices) {
  Palette p{};
  ASSERT_EQ(loadPalette(p, std::string(HS_TEST_DATA) + "/../../samples/Std.pal"), PaletteLoaded);
  for (int i = 0; i < 256; ++i) {
    const vColor want = vColor::fromValue(defaultPalette()[static_cast<std::size_t>(i)]);
    EXPECT_EQ(p[static_cast<std::size_t>(i)], vColor(want.r(), want.g(), i).value()) << i;
  }
}

} // namespace
} // namespace hs
