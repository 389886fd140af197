#include "terrain/HeightField.h"

#include "support/DataTable.h"
#include "support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>

namespace hs {
namespace {

// Every refusal and the edge acceptances of both readers
// (heightfield_reads.txt); a refusal makes no image.
TEST(HeightFieldReaders, EveryRefusalAndTheEdgeAcceptancesFromMemory) {
  const std::map<std::string, int> results = {
      {"Loaded", Loaded}, {"Incompatible", Incompatible}, {"ShortData", ShortData}};
  for (const auto &row : test::dataTable("heightfield_reads.txt")) {
    const bool isPpm = row[0] == "ppm", isTga = row[0] == "tga";
    const auto length = test::numbers<std::size_t>(row[2]);
    std::string bytes;
    if (!isTga) {
      bytes = test::unescaped(row[1]);
      bytes.append(length.at(0), 9);
    } else {
      const auto v = test::numbers(row[1]);
      bytes = targaBytes(v.at(0), v.at(1));
      for (std::size_t i = 2; i + 1 < v.size(); i += 2)
        bytes[static_cast<std::size_t>(v[i])] = static_cast<char>(v[i + 1]);
      bytes.resize(length.empty() ? bytes.size() : length[0]);
    }
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    LRMemoryDC image;
    const int want = results.at(row.at(3));
    EXPECT_EQ(isTga   ? readTarga(in, defaultPalette(), image)
              : isPpm ? readPpm(in, image)
                      : readPgm(in, image),
              want)
        << row[0] << " | " << row[1] << " | " << row[2];
    EXPECT_EQ(image.isNull(), want != Loaded);
  }
}

// The golden files decode pixel for pixel; a folder or a missing file cannot
// be opened.
TEST(HeightFieldReaders, GoldenFiles) {
  LRMemoryDC tga, p;
  ASSERT_EQ(readHeightFieldFile(HS_TEST_DATA "/tiny.tga", false, defaultPalette(), tga), Loaded);
  // Indices 0 200 250 / 16 240 255, painted in the built-in colours; the
  // file's own (random) colour map plays no part.
  EXPECT_EQ(std::tuple(tga.width(), tga.height(), tga.readPixel(0, 0), tga.readPixel(1, 0),
                       tga.readPixel(2, 0), tga.readPixel(0, 1), tga.readPixel(1, 1),
                       tga.readPixel(2, 1)),
            std::tuple(3, 2, 0x000000u, 0xC88282u, 0xFFEFEFu, 0x101C4Au, 0xF0F0F0u, 0xFFEFEFu));

  ASSERT_EQ(readHeightFieldFile(HS_TEST_DATA "/tiny.ppm", true, defaultPalette(), p), Loaded);
  // File pixels (1,2,3) (4,5,6) / (7,8,9) (10,11,12) after the separator 0x0A:
  // red G, green R, blue the separator, then the B of the pixel before (the
  // last B of the row above); the last byte, 12, is never read.
  EXPECT_EQ(std::tuple(p.width(), p.height(), p.readPixel(0, 0), p.readPixel(1, 0),
                       p.readPixel(0, 1), p.readPixel(1, 1)),
            std::tuple(2, 2, 0x0A0102u, 0x030405u, 0x060708u, 0x090A0Bu));

  TestFolder dir;
  std::filesystem::create_directory(dir.file("d.tga"));
  for (bool isPpm : {false, true})
    for (const char *name : {"d.tga", "missing"}) {
      LRMemoryDC image;
      EXPECT_EQ(readHeightFieldFile(dir.file(name), isPpm, defaultPalette(), image), CannotOpen)
          << name;
    }
}

// Every 16-bit sample of a PGM is stored exactly (red + 256 * green) with its
// high byte in blue; an 8-bit sample b as the 16-bit level b * 257.
TEST(HeightFieldReaders, PgmKeepsEverySampleExactly) {
  for (const int maxValue : {65535, 255}) {
    const int side = maxValue == 255 ? 16 : 256;
    QByteArray bytes = QString("P5 %1 %1 %2\n").arg(side).arg(maxValue).toLatin1();
    for (int v = 0; v <= maxValue; ++v)
      bytes += (maxValue == 255 ? QByteArray() : QByteArray(1, char(v >> 8))) + char(v & 255);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    LRMemoryDC image;
    ASSERT_EQ(readPgm(in, image), Loaded);
    for (int v = 0; v <= maxValue; ++v) {
      const int level = maxValue == 255 ? v * 257 : v;
      ASSERT_EQ(image.readPixel(v % side, v / side), ColourValue((level >> 8) << 16 | level)) << v;
    }
  }
}

} // namespace
} // namespace hs
