#include "terrain/HeightField.h"

#include "support/DataTable.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace hs {
namespace {

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
    EXPECT_EQ(isTga             ? readTarga(in, defaultPalette(), image)
              : isPpm           ? readPpm(in, image)
              : row[0] == "png" ? readPng(in, image)
                                : readPgm(in, image),
              want)
        << row[0] << " | " << row[1] << " | " << row[2];
    EXPECT_EQ(image.isNull(), want != Loaded);
  }
}

TEST(HeightFieldReaders, GoldenFiles) {
  LRMemoryDC tga, p;
  ASSERT_EQ(readHeightFieldFile(HS_TEST_DATA "/tiny.tga", false, defaultPalette(), tga), Loaded);
  // Built-in colours: the file's own colour map plays no part.
  EXPECT_EQ(std::tuple(tga.width(), tga.height(), tga.readPixel(0, 0), tga.readPixel(1, 0),
                       tga.readPixel(2, 0), tga.readPixel(0, 1), tga.readPixel(1, 1),
                       tga.readPixel(2, 1)),
            std::tuple(3, 2, 0x000000u, 0xC88282u, 0xFFEFEFu, 0x101C4Au, 0xF0F0F0u, 0xFFEFEFu));

  ASSERT_EQ(readHeightFieldFile(HS_TEST_DATA "/tiny.ppm", true, defaultPalette(), p), Loaded);
  // Red G, green R, blue the B before (the separator first); the last byte is never read.
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

int levelAt(const LRMemoryDC &image, int x, int y) {
  const ColourValue c = image.readPixel(x, y);
  EXPECT_EQ(c >> 16, (c >> 8) & 255) << x << "," << y;
  return static_cast<int>(c & 0xFFFF);
}

TEST(HeightFieldReaders, PgmAndPngKeepEverySampleExactly) {
  for (const int maxValue : {65535, 255, -65535}) {
    const int side = maxValue == 255 ? 16 : 256;
    QByteArray bytes;
    if (maxValue > 0) {
      bytes = QString("P5 %1 %1 %2\n").arg(side).arg(maxValue).toLatin1();
      for (int v = 0; v <= maxValue; ++v)
        bytes += (maxValue == 255 ? QByteArray() : QByteArray(1, char(v >> 8))) + char(v & 255);
    } else {
      QImage grey(side, side, QImage::Format_Grayscale16);
      for (int v = 0; v <= 65535; ++v)
        reinterpret_cast<quint16 *>(grey.scanLine(v / side))[v % side] = static_cast<quint16>(v);
      QBuffer out(&bytes);
      out.open(QIODevice::WriteOnly);
      ASSERT_TRUE(grey.save(&out, "PNG"));
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    LRMemoryDC image;
    ASSERT_EQ(maxValue > 0 ? readPgm(in, image) : readPng(in, image), Loaded);
    for (int v = 0; v <= std::abs(maxValue); ++v)
      ASSERT_EQ(levelAt(image, v % side, v / side), maxValue == 255 ? v * 257 : v) << maxValue;
  }
}

// Qt's default limit is half a 16384 x 16384 16-bit map.
TEST(HeightFieldReaders, PngOverQtsImageLimitLoads) {
  QImage grey(1024, 1024, QImage::Format_Grayscale16);
  grey.fill(0);
  reinterpret_cast<quint16 *>(grey.scanLine(1023))[1023] = 4660;
  QByteArray bytes;
  QBuffer out(&bytes);
  out.open(QIODevice::WriteOnly);
  ASSERT_TRUE(grey.save(&out, "PNG"));
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  const int limit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(1);
  LRMemoryDC image;
  ASSERT_EQ(readPng(in, image), Loaded);
  QImageReader::setAllocationLimit(limit);
  EXPECT_EQ(levelAt(image, 1023, 1023), 4660);
}

TEST(HeightFieldReaders, PngGoldenFiles) {
  const std::vector<std::pair<std::string, std::vector<int>>> files = {
      {"grey16_transparent.png", {0, 258, 65535, 4660, 32768, 1}},
      {"grey8_transparent.png", {0, 2 * 257, 255 * 257, 128 * 257, 9 * 257, 253 * 257}},
      {"index4.png", {0, 256, 512, 768, 3840, 3840, 3584, 3328, 3072, 2816}},
      {"index1.png", {256, 0, 256, 256, 0, 0, 0, 0, 256, 0, 256, 0, 0, 256, 256, 256, 256, 0}}};
  for (const auto &[name, levels] : files) {
    LRMemoryDC image;
    ASSERT_EQ(readHeightFieldFile(HS_TEST_DATA "/" + name, PngMap, defaultPalette(), image),
              Loaded);
    std::vector<int> read;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        read.push_back(levelAt(image, x, y));
    EXPECT_EQ(std::tuple(image.height(), read), std::tuple(2, levels)) << name;
  }
}

// A chunk claiming more than the input holds must not reach the decoder.
TEST(HeightFieldReaders, BrokenPngsAreShortDataWithoutAWordOnStandardError) {
  std::vector<QByteArray> files; // lying, damaged, intact
  for (const char *name : {"/lying_text.png", "/hills16.png", "/hills16.png"}) {
    QFile file(QString(HS_TEST_DATA) + name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    files.push_back(file.readAll());
  }
  files[1][files[1].indexOf("IDAT") + 6] ^= 0x55;
  TestFolder dir;
  const int errors = open(dir.file("errors").c_str(), O_WRONLY | O_CREAT, 0600);
  const int terminal = dup(STDERR_FILENO);
  for (std::size_t k = 0; k < files.size(); ++k)
    for (const bool piped : {false, true}) {
      QByteArray &bytes = files[k];
      int ends[2] = {-1, -1};
      ASSERT_EQ(pipe(ends), 0);
      ASSERT_EQ(write(ends[1], bytes.data(), bytes.size()), bytes.size());
      close(ends[1]);
      QFile pipeEnd;
      pipeEnd.open(ends[0], QIODevice::ReadOnly, QFile::AutoCloseHandle);
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::ReadOnly);
      LRMemoryDC image;
      dup2(errors, STDERR_FILENO);
      const int result = readPng(piped ? static_cast<QIODevice &>(pipeEnd) : buffer, image);
      dup2(terminal, STDERR_FILENO);
      EXPECT_EQ(std::tuple(result, dir.read("errors"), buffer.pos() > 0),
                std::tuple(k < 2 ? int(ShortData) : int(Loaded), std::string(), !piped && k > 0))
          << k << (piped ? " piped" : "");
    }
  close(errors);
  close(terminal);
}

} // namespace
} // namespace hs
