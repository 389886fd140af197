#include "terrain/HeightField.h"

#include "support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

const std::string kData = HS_TEST_DATA;

std::string ppm(const std::string &header, std::size_t dataBytes) {
  return header + std::string(dataBytes, 9);
}

TEST(HeightFieldReaders, EveryRefusalAndTheEdgeAcceptancesFromMemory) {
  struct Case {
    std::string bytes;
    bool isPpm;
    int result;
  };
  std::vector<Case> cases;
  // Targa header edits (offset, value): run-length, true colour, no colour
  // map, map origin, map length, entry size, x and y origin, depth 24,
  // bottom-left origin, attribute bits, an ID field.
  const std::pair<int, int> edits[] = {{2, 9},  {2, 2},   {1, 0}, {3, 1},  {5, 1},
                                       {6, 0},  {7, 32},  {8, 1}, {11, 1}, {16, 24},
                                       {17, 0}, {17, 40}, {0, 4}, {9, 1},  {10, 2}};
  for (auto [offset, value] : edits) {
    auto bytes = targaBytes(4, 4);
    bytes[static_cast<std::size_t>(offset)] = static_cast<char>(value);
    cases.push_back({bytes, false, Incompatible});
  }
  const std::string t = targaBytes(4, 3);
  for (std::size_t size : {std::size_t{18}, std::size_t{400}, t.size() - 1})
    cases.push_back({t.substr(0, size), false, ShortData});
  // A header claiming the largest size over a tiny input is found short
  // before any image is made.
  std::string huge = targaBytes(1, 1);
  huge[12] = huge[14] = 0x00;
  huge[13] = huge[15] = 0x40;
  cases.insert(cases.end(), {{t.substr(0, 17), false, Incompatible},
                             {targaBytes(0, 4), false, Incompatible},
                             {targaBytes(4, 0), false, Incompatible},
                             {targaBytes(16385, 1), false, Incompatible},
                             {huge, false, ShortData},
                             {t, false, Loaded}});
  for (const char *h :
       {"P3 2 2 255\n", "P5 2 2 255\n", "P6 2 2 65535\n", "P6\n# made by hand\n2 2 255\n",
        "P66 2 2 255\n", "P6 2 2 254\n", "P6 0 2 255\n", "P6 2 -2 255\n", "P6 16385 1 255\n",
        "P6 2x2 255\n", "P6 2 2\n", "", "P6 99999999999999999999 1 255\n"})
    cases.push_back({ppm(h, 64), true, Incompatible});
  // PPM: two rows of 3 x 3 bytes are needed from the separator on.
  cases.insert(cases.end(), {{ppm("P6 3 2 255", 17), true, ShortData},
                             {ppm("P6 3 2 255", 0), true, ShortData},
                             {ppm("P6 16384 16384 255\n", 100), true, ShortData},
                             {ppm("P6 3 2 255", 18), true, Loaded},
                             {ppm("  P6\r\n+2\f2 0255", 12), true, Loaded}});
  for (const Case &c : cases) {
    QByteArray bytes = QByteArray::fromStdString(c.bytes);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    LRMemoryDC image;
    EXPECT_EQ(c.isPpm ? readPpm(in, image) : readTarga(in, defaultPalette(), image), c.result)
        << c.bytes.substr(0, 20);
    EXPECT_EQ(image.isNull(), c.result != Loaded); // a refusal makes no image
  }
}

TEST(HeightFieldReaders, GoldenFiles) {
  LRMemoryDC tga;
  ASSERT_EQ(readHeightFieldFile(kData + "/tiny.tga", false, defaultPalette(), tga), Loaded);
  EXPECT_EQ(std::tuple(tga.width(), tga.height()), std::tuple(3, 2));
  // Indices 0 200 250 / 16 240 255, painted in the built-in colours; the
  // file's own (random) colour map plays no part.
  const ColourValue expect[2][3] = {{0x000000, 0xC88282, 0xFFEFEF}, {0x101C4A, 0xF0F0F0, 0xFFEFEF}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(tga.readPixel(x, y), expect[y][x]) << x << "," << y;

  LRMemoryDC p;
  ASSERT_EQ(readHeightFieldFile(kData + "/tiny.ppm", true, defaultPalette(), p), Loaded);
  EXPECT_EQ(std::tuple(p.width(), p.height()), std::tuple(2, 2));
  // File pixels (1,2,3) (4,5,6) / (7,8,9) (10,11,12) after the separator 0x0A.
  EXPECT_EQ(p.readPixel(0, 0), 0x0A0102u); // red G, green R, blue the separator
  EXPECT_EQ(p.readPixel(1, 0), 0x030405u); // blue the B of the pixel before
  EXPECT_EQ(p.readPixel(0, 1), 0x060708u); // blue the last B of the row above
  EXPECT_EQ(p.readPixel(1, 1), 0x090A0Bu); // the last byte, 12, is never read

  TestFolder dir;
  std::filesystem::create_directory(dir.file("d.tga"));
  for (bool isPpm : {false, true})
    for (const char *name : {"d.tga", "missing"}) {
      LRMemoryDC image;
      EXPECT_EQ(readHeightFieldFile(dir.file(name), isPpm, defaultPalette(), image), CannotOpen)
          << name;
    }
}

TEST(CommitHeightField, TheImageBecomesTheMapAndTheOldSizeIsKept) {
  Document s;
  s.hfType = 1;
  LRMemoryDC image(401, 40);
  image.writePixel(400, 39, 0x123456);
  commitHeightField(s, std::move(image));
  EXPECT_EQ(std::tuple(s.mapWidth, s.mapHeight, s.prevMapWidth, s.prevMapHeight),
            std::tuple(401, 40, 400, 400));
  EXPECT_EQ(std::tuple(s.mapCentreX, s.mapCentreY), std::tuple(200.0f, 19.0f));
  EXPECT_EQ(s.baseImage.readPixel(400, 39), 0x123456u);
  EXPECT_EQ(s.hfType, 1); // the caller's
}

} // namespace
} // namespace hs
