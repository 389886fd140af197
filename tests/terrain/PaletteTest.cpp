#include "terrain/Palette.h"
#include "terrain/Height.h"

#include "support/TestFiles.h"

#include <QBuffer>

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

int read(const std::string &text, Palette &p) {
  QByteArray bytes = QByteArray::fromStdString(text);
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  return readPalette(in, p);
}

TEST(PaletteLine, LowBytesOfThreeNumbers) {
  ColourValue c = 0;
  ASSERT_TRUE(parsePaletteLine("300,0x10,010 blue is height", c));
  EXPECT_EQ(c, vColor(44, 16, 8).value());
  ASSERT_TRUE(parsePaletteLine("-1,0XfF,-256", c));
  EXPECT_EQ(c, vColor(255, 255, 0).value());
  EXPECT_FALSE(parsePaletteLine("1 ,2,3", c));
  EXPECT_EQ(c, vColor(255, 255, 0).value()); // untouched
}

TEST(ReadPalette, AllOrNothing) {
  Palette p = defaultPalette();
  std::string broken = lines(256);
  broken.replace(broken.find("100,100,100"), 11, "100 ,100,100");
  for (const std::string &text : {lines(255), broken, "\n" + lines(256)})
    EXPECT_EQ(read(text, p), PaletteBodyError);
  EXPECT_EQ(p, defaultPalette());

  std::string crlf;
  for (int i = 0; i < 256; ++i)
    crlf += std::to_string(i) + ",0," + std::to_string(255 - i) + (i < 255 ? "\r\n" : "");
  ASSERT_EQ(read(crlf, p), PaletteLoaded);
  EXPECT_EQ(p[3], vColor(3, 0, 252).value());
  ASSERT_EQ(read(lines(256) + "garbage\n", p), PaletteLoaded);
  EXPECT_EQ(p[200], vColor(200, 200, 200).value());

  TestFolder dir;
  EXPECT_EQ(loadPalette(p, dir.file("missing.pal")), PaletteOpenError);
  EXPECT_EQ(loadPalette(p, dir.path()), PaletteOpenError); // a directory
}

TEST(CommitPalette, GreyRampKeepsHeights) {
  LRMemoryDC m(400, 400);
  m.clear();
  for (int x = 0; x < 256; ++x)
    m.writePixel(x, 7, defaultPalette()[static_cast<std::size_t>(x)]);
  Document s;
  s.setMap(std::move(m));
  Palette grey, inUse = defaultPalette();
  ASSERT_EQ(read(lines(256), grey), PaletteLoaded);
  commitPalette(s, inUse, grey);
  EXPECT_EQ(inUse, grey);
  for (int x = 0; x < 241; ++x)
    EXPECT_EQ(std::pair(height8At(s, x, 7), s.baseImage().readPixel(x, 7)),
              std::pair(x, vColor(x, x, x).value()));
  // 241..255 all carried blue 255.
  EXPECT_EQ(std::pair(s.baseImage().readPixel(250, 7), s.baseImage().readPixel(3, 3)),
            std::pair(0xFFFFFFu, 0xFFFFFFu));
}

} // namespace
} // namespace hs
