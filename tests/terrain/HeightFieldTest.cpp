#include "terrain/HeightField.h"
#include "terrain/Height.h"
#include "terrain/HeightFieldFormats.h"
#include "terrain/Palette.h"

#include "support/DataTable.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
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
    const auto v = isTga ? test::numbers(row[1]) : std::vector<int>{};
    std::string bytes = isTga ? targaBytes(v.at(0), v.at(1)) : test::unescaped(row[1]);
    for (std::size_t i = 2; i + 1 < v.size(); i += 2)
      bytes[static_cast<std::size_t>(v[i])] = static_cast<char>(v[i + 1]);
    if (!isTga || !length.empty())
      bytes.resize(isTga ? length[0] : bytes.size() + length.at(0), 9);
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    LRMemoryDC image;
    const int want = results.at(row.at(3));
    // A Targa is read as its image type says.
    const int type = isTga   ? (bytes[2] == 2 || bytes[2] == 10 ? TrueColourTargaMap : TargaMap)
                     : isPpm ? PpmMap
                     : row[0] == "png" ? PngMap
                                       : PgmMap;
    EXPECT_EQ(heightFieldFormat(type)->read(in, defaultPalette(), image), want)
        << row[0] << " | " << row[1] << " | " << row[2];
    EXPECT_EQ(image.isNull(), want != Loaded);
  }
}

int levelAt(const LRMemoryDC &image, int x, int y) {
  const ColourValue c = image.readPixel(x, y);
  EXPECT_EQ(c >> 16, (c >> 8) & 255) << x << "," << y;
  return static_cast<int>(c & 0xFFFF);
}

// Targa colours are built in (not the file's); a PPM pixel is red G, green R, blue
// the B before and its last byte is never read; PNG pixels are given as heights.
TEST(HeightFieldReaders, GoldenFiles) {
  const std::tuple<std::string, int, std::vector<unsigned>> files[] = {
      {"tiny.tga", TargaMap, {0x000000, 0xC88282, 0xFFEFEF, 0x101C4A, 0xF0F0F0, 0xFFEFEF}},
      {"tiny.ppm", PpmMap, {0x0A0102, 0x030405, 0x060708, 0x090A0B}},
      {"truecolour24.tga", TrueColourTargaMap, {0,     1,     65535, 256, 258, 0x1234, 0xFF00,
                                                0xFF,  40000, 513,   7,   8,   9,      10,
                                                65534, 30000, 30001, 1,   2,   3}},
      {"truecolour32_rle.tga", TrueColourTargaMap, {5,   5, 5,     65535, 0,   0x1234, 0x1234,
                                                    1,   2, 3,     300,   300, 300,    300,
                                                    300, 9, 65535, 65535, 8,   7}},
      {"grey16_transparent.png", PngMap, {0, 258, 65535, 4660, 32768, 1}},
      {"grey8_transparent.png", PngMap, {0, 2 * 257, 255 * 257, 128 * 257, 9 * 257, 253 * 257}},
      {"index4.png", PngMap, {0, 256, 512, 768, 3840, 3840, 3584, 3328, 3072, 2816}},
      {"index1.png",
       PngMap,
       {256, 0, 256, 256, 0, 0, 0, 0, 256, 0, 256, 0, 0, 256, 256, 256, 256, 0}}};
  LRMemoryDC image;
  for (const auto &[name, type, values] : files) {
    ASSERT_EQ(readHeightFieldFile(HS_TEST_DATA "/" + name, type, defaultPalette(), image), Loaded);
    std::vector<unsigned> read;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        read.push_back(type == PngMap || type == TrueColourTargaMap ? unsigned(levelAt(image, x, y))
                                                                    : image.readPixel(x, y));
    EXPECT_EQ(std::tuple(image.height(), read),
              std::tuple(type == TrueColourTargaMap ? 4 : 2, values))
        << name;
  }
  TestFolder dir;
  std::filesystem::create_directory(dir.file("d.tga"));
  for (bool isPpm : {false, true})
    for (const char *name : {"d.tga", "missing"})
      EXPECT_EQ(readHeightFieldFile(dir.file(name), isPpm, defaultPalette(), image), CannotOpen)
          << name;
  for (const int type : {-1, int(HeightFieldTypeCount)})
    EXPECT_EQ(readHeightFieldFile(HS_TEST_DATA "/tiny.tga", type, defaultPalette(), image),
              WrongFileType);
}

// Each row is found by its ending in any case and by its signature, and has its case in the
// preview scene's type switch.
TEST(HeightFieldFormats, EachRowByEndingSignatureAndInThePreviewScene) {
  std::string pov = readFile(HS_TEST_DATA "/../../samples/Preview.pov");
  pov = pov.substr(pov.find("#switch (HS_Hf_typ)"));
  pov = pov.substr(0, pov.find("#end"));
  // Each "#case (N) keyword #break" of the switch.
  std::map<int, std::string> cases;
  for (std::size_t at = pov.find("#case ("); at != std::string::npos;
       at = pov.find("#case (", at + 1)) {
    std::istringstream line(pov.substr(at + 7, pov.find('\n', at) - at - 7));
    int type = -1;
    std::string close, keyword, end;
    line >> type >> close >> keyword >> end;
    if (close == ")" && end == "#break")
      cases[type] = keyword;
  }
  TestFolder dir;
  for (const HeightFieldFormat &f : kHeightFieldFormats) {
    std::string name = "A" + std::string(f.endings[0]);
    std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    // The Targas share ".tga"; a file's image type tells them apart.
    const std::string head = f.signature.empty()
                                 ? std::string{0, 0, f.type == TargaMap ? '\1' : '\12'}
                                 : std::string(f.signature);
    const std::string file = dir.write("map", head + "12345678");
    EXPECT_EQ(std::tuple(heightFieldTypeOfEnding(name) == (f.signature.empty() ? TargaMap : f.type),
                         heightFieldTypeOfFile(file), looksLikeHeightField(file), is16Bit(f.type),
                         cases[f.type], f.read != nullptr),
              std::tuple(true, f.type, !f.signature.empty(), f.bits == 16, f.povKeyword, true))
        << f.name;
  }
  EXPECT_EQ(std::tuple(heightFieldTypeOfEnding("a.tga.txt"), is16Bit(-1),
                       is16Bit(HeightFieldTypeCount), cases.size()),
            std::tuple(-1, true, true, kHeightFieldFormats.size()));
}

// The PNG is over Qt's image limit, which by default is half a 16384 x 16384 16-bit map.
TEST(HeightFieldReaders, PgmAndPngKeepEverySampleExactly) {
  const int limit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(1);
  for (const int maxValue : {65535, 255, -65535}) {
    const int side = maxValue == 255 ? 16 : maxValue > 0 ? 256 : 1024;
    QByteArray bytes;
    if (maxValue > 0) {
      bytes = QString("P5 %1 %1 %2\n").arg(side).arg(maxValue).toLatin1();
      for (int v = 0; v <= maxValue; ++v)
        bytes += (maxValue == 255 ? QByteArray() : QByteArray(1, char(v >> 8))) + char(v & 255);
    } else {
      QImage grey(side, side, QImage::Format_Grayscale16);
      for (int v = 0; v < side * side; ++v)
        reinterpret_cast<quint16 *>(grey.scanLine(v / side))[v % side] = static_cast<quint16>(v);
      QBuffer out(&bytes);
      out.open(QIODevice::WriteOnly);
      ASSERT_TRUE(grey.save(&out, "PNG"));
    }
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    LRMemoryDC image;
    ASSERT_EQ(maxValue > 0 ? readPgm(in, image) : readPng(in, image), Loaded);
    for (int v = 0; v < side * side; ++v)
      ASSERT_EQ(levelAt(image, v % side, v / side), maxValue == 255 ? v * 257 : v & 0xFFFF)
          << maxValue;
  }
  QImageReader::setAllocationLimit(limit);
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

// A read with a progress report says how far it got and stops when told,
// leaving the image as it was.
TEST(HeightFieldReaders, AReadWithProgressReportsAndStopsWhenTold) {
  LRMemoryDC image(3, 3);
  double most = 0;
  for (const double stop : {0.3, 2.0}) {
    EXPECT_EQ(
        readHeightFieldFile(HS_TEST_DATA "/hills16.png", PngMap, defaultPalette(), image,
                            [&](double done) { return most = std::max(most, done), done < stop; }),
        stop < 1 ? LoadCancelled : Loaded);
    EXPECT_EQ(image.width() > 3, stop > 1);
  }
  EXPECT_GT(most, 0.5);
}

// Lines are low bytes; files are read all or nothing; a grey ramp keeps heights.
TEST(Palette, LinesFilesAndCommitting) {
  ColourValue a = 0, b = 0;
  EXPECT_TRUE(parsePaletteLine("300,0x10,010 blue is height", a) &&
              parsePaletteLine("-1,0XfF,-256", b) && !parsePaletteLine("1 ,2,3", b));
  EXPECT_EQ(std::pair(a, b), std::pair(vColor(44, 16, 8).value(), vColor(255, 255, 0).value()));

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
  TestFolder dir; // a missing file and a directory
  EXPECT_EQ(std::pair(loadPalette(p, dir.file("missing.pal")), loadPalette(p, dir.path())),
            std::pair(int(PaletteOpenError), int(PaletteOpenError)));

  LRMemoryDC m(400, 400);
  m.clear();
  m.paintRow(0, 7, defaultPalette());
  Document s;
  s.setMap(std::move(m));
  Palette inUse = defaultPalette();
  commitPalette(s, inUse, p);
  EXPECT_EQ(inUse, p);
  for (int x = 0; x < 241; ++x)
    EXPECT_EQ(std::pair(height8At(s, x, 7), s.baseImage().readPixel(x, 7)),
              std::pair(x, vColor(x, x, x).value()));
  // 241..255 all carried blue 255.
  EXPECT_EQ(std::pair(s.baseImage().readPixel(250, 7), s.baseImage().readPixel(3, 3)),
            std::pair(0xFFFFFFu, 0xFFFFFFu));
}

std::string fmt(const PovPoint &p) {
  return std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.z);
}

// Samplers refuse off the map and white; an unknown height mode samples afresh, no offset.
TEST(Height, SamplersAndPovPositionsOnEveryMapAndHeightMode) {
  Document s;
  const PovPoint cam = toPov(s, s.camera(), 0.0f);
  const ScItem corner{0, 255, 0, AboveGround, 0}, farCorner{399, 255, 0, AboveGround, 0};
  EXPECT_EQ(std::tuple(fmt(cam), fmt(toPov(s, s.lookAt(), static_cast<float>(cam.y))),
                       fmt(toPov(s, corner, 0)), fmt(toPov(s, farCorner, 0)).substr(0, 9)),
            std::tuple("0.250627, 1.000000, -25.313283", "0.250627, 0.000000, 24.812030",
                       "-49.874687, 10.000000, 49.874687", "50.125313"));
  LRMemoryDC m(400, 400);
  m.clear();
  // Blue 42; red 2 and green 1; one step off white each way; blue 102.
  m.paintRow(0, 0, std::vector<ColourValue>{0x2A0000, 0x000102, 0xFFFFFE, 0xFEFFFF});
  m.writePixel(10, 20, 0x660000);
  m.writePixel(4, 1, 0);
  m.setDrawMode(DrawMode::Invert);
  m.drawLine(4, 1, 4, 1);
  m.setDrawMode(DrawMode::Normal);
  m.setPen(vPen{kWhite, 3, LineStyle::Solid});
  m.drawLine(10, 10, 20, 10);
  s.setMap(std::move(m));
  const int cases[][4] = {// x, y, height8At, height16At
                          {-1, 0, -1, -1},    {400, 0, -1, -1},   {0, 400, -1, -1},
                          {0, -1, -1, -1},    {0, 0, 42, 0},      {1, 0, 0, 258},
                          {2, 0, 255, 65534}, {3, 0, 254, 65535}, {5, 5, -1, 65535},
                          {4, 1, -1, 65535},  {15, 10, -1, 65535}};
  for (const auto &[x, y, h8, h16] : cases)
    EXPECT_EQ(std::pair(height8At(s, x, y), height16At(s, x, y)), std::pair(h8, h16))
        << x << "," << y;
  EXPECT_EQ(std::pair(heightAt(s, 1, 0), maxHeight(s)), std::pair(0, 255));
  s.setWaterLevel(50);
  const std::tuple<ScItem, float, double> modes[] = {
      {{200, 20, 199, AboveWater, 0.5}, 0, 50.0 / 255 * 10 + 0.5},
      {{200, 60, 199, AboveWater, 0.5}, 0, 60.0 / 255 * 10 + 0.5},
      {{200, 0, 199, AboveCamera, 1.0}, 3, 4.0},
      {{200, 255, 199, AboveCamera, 1.0}, 3, 11.0},
      {{10.7, 999, 20.2, 7, 5.0}, 0, 102.0 / 255 * 10},
      {{-3, 999, 20.2, 7, 5.0}, 0, -1.0 / 255 * 10}};
  for (const auto &[item, cameraY, y] : modes)
    EXPECT_DOUBLE_EQ(toPov(s, item, cameraY).y, y) << item.x << "," << item.y;
  s.setHfType(1);
  EXPECT_EQ(std::tuple(heightAt(s, 1, 0), maxHeight(s), heightAtItem(s, 1.9, 0.7),
                       heightAtItem(s, -0.5, 0.0), heightAtItem(s, 1e300, 0.0)),
            std::tuple(258, 65535, 258, 0, -1));
}

} // namespace
} // namespace hs
