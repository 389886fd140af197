#include "terrain/HeightField.h"
#include "terrain/Height.h"

#include "support/FakeSurface.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

const std::string kData = HS_TEST_DATA;

std::string ppm(const std::string &header, std::size_t dataBytes, char fill = 9) {
  return header + std::string(dataBytes, fill);
}

// What a failed load must leave untouched.
auto snapshot(const Scene &s) {
  return std::tuple(s.mapWidth, s.mapHeight, s.prevMapWidth, s.prevMapHeight, s.mapCentreX,
                    s.mapCentreY, s.hfType, s.baseImage.readPixel(0, 0),
                    s.viewImage.readPixel(0, 0), s.baseImage.width(), s.viewImage.width());
}

Scene &marked(Scene &s) {
  s.prevMapWidth = 123; // so a change of the previous size shows
  s.baseImage.writePixel(0, 0, 0x123456);
  s.viewImage.writePixel(0, 0, 0x654321);
  return s;
}

TEST(Targa, GoldenFilePaintsThroughThePaletteOnly) {
  Scene s;
  test::FakeSurface pane;
  s.surface = &pane;
  ASSERT_EQ(loadTarga(s, kData + "/tiny.tga", defaultPalette()), Loaded);
  EXPECT_EQ(std::tuple(s.mapWidth, s.mapHeight, s.prevMapWidth, s.prevMapHeight),
            std::tuple(3, 2, 400, 400));
  EXPECT_EQ(std::tuple(s.mapCentreX, s.mapCentreY), std::tuple(1.0f, 0.0f));
  // Indices 0 200 250 / 16 240 255, painted in the built-in colours; the
  // file's own (random) colour map plays no part.
  const ColourValue expect[2][3] = {{0x000000, 0xC88282, 0xFFEFEF}, {0x101C4A, 0xF0F0F0, 0xFFEFEF}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(s.viewImage.readPixel(x, y), expect[y][x]) << x << "," << y;
  EXPECT_EQ(height8At(s, 2, 0), 255);
  EXPECT_EQ(s.hfType, 0); // the caller sets it
  EXPECT_EQ(pane.calls.back(), "show 0 0 400 400");
}

TEST(Targa, EveryOtherHeaderIsRefusedAndChangesNothing) {
  TestFolder dir;
  // (offset, value) pairs: run-length, true colour, no colour map, map origin,
  // map length, entry size, x and y origin, depth 24, bottom-left origin,
  // attribute bits, an ID field.
  const std::vector<std::pair<int, int>> edits = {
      {2, 9},  {2, 2},   {1, 0},  {3, 1},   {5, 1}, {6, 0}, {7, 32}, {8, 1},
      {11, 1}, {16, 24}, {17, 0}, {17, 40}, {0, 4}, {9, 1}, {10, 2},
  };
  for (auto [offset, value] : edits) {
    auto bytes = targaBytes(4, 4);
    bytes[static_cast<std::size_t>(offset)] = static_cast<char>(value);
    Scene s;
    const auto before = snapshot(marked(s));
    EXPECT_EQ(loadTarga(s, dir.write("bad.tga", bytes), defaultPalette()), Incompatible)
        << offset << "=" << value;
    EXPECT_EQ(snapshot(s), before);
  }
  Scene s;
  const auto before = snapshot(marked(s));
  auto shortHeader = targaBytes(4, 4);
  shortHeader.resize(17);
  EXPECT_EQ(loadTarga(s, dir.write("h.tga", shortHeader), defaultPalette()), Incompatible);
  EXPECT_EQ(loadTarga(s, dir.write("w0.tga", targaBytes(0, 4)), defaultPalette()), Incompatible);
  EXPECT_EQ(loadTarga(s, dir.write("h0.tga", targaBytes(4, 0)), defaultPalette()), Incompatible);
  EXPECT_EQ(loadTarga(s, dir.write("big.tga", targaBytes(16385, 1)), defaultPalette()),
            Incompatible);
  EXPECT_EQ(loadTarga(s, dir.file("missing.tga"), defaultPalette()), CannotOpen);
  EXPECT_EQ(snapshot(s), before);
}

TEST(ShortData, EitherFormatLeavesEverythingAsItWas) {
  TestFolder dir;
  Scene s;
  const auto before = snapshot(marked(s));
  const std::size_t whole = targaBytes(4, 3).size();
  for (std::size_t size : {std::size_t{400}, whole - 1}) {
    auto bytes = targaBytes(4, 3);
    bytes.resize(size);
    EXPECT_EQ(loadTarga(s, dir.write("short.tga", bytes), defaultPalette()), ShortData);
    EXPECT_EQ(snapshot(s), before);
  }
  // A header claiming the largest size over a tiny file is found short
  // before any image is made.
  auto huge = targaBytes(1, 1);
  huge[12] = huge[14] = 0x00;
  huge[13] = huge[15] = 0x40;
  EXPECT_EQ(loadTarga(s, dir.write("huge.tga", huge), defaultPalette()), ShortData);
  // PPM: two rows of 3 x 3 bytes are needed from the separator on; one short.
  EXPECT_EQ(loadPpm(s, dir.write("s.ppm", ppm("P6 3 2 255", 17))), ShortData);
  EXPECT_EQ(loadPpm(s, dir.write("e.ppm", ppm("P6 3 2 255", 0))), ShortData);
  EXPECT_EQ(loadPpm(s, dir.write("h.ppm", ppm("P6 16384 16384 255\n", 100))), ShortData);
  EXPECT_EQ(snapshot(s), before);
  EXPECT_EQ(loadPpm(s, dir.write("x.ppm", ppm("P6 3 2 255", 18))), Loaded);
}

TEST(Ppm, GoldenFileFollowsTheOneByteDataStart) {
  Scene s;
  ASSERT_EQ(loadPpm(s, kData + "/tiny.ppm"), Loaded);
  EXPECT_EQ(s.mapWidth, 2);
  EXPECT_EQ(s.mapHeight, 2);
  // File pixels (1,2,3) (4,5,6) / (7,8,9) (10,11,12) after the separator 0x0A.
  EXPECT_EQ(s.baseImage.readPixel(0, 0), 0x0A0102u); // red G, green R, blue the separator
  EXPECT_EQ(s.baseImage.readPixel(1, 0), 0x030405u); // blue the B of the pixel before
  EXPECT_EQ(s.baseImage.readPixel(0, 1), 0x060708u); // blue the last B of the row above
  EXPECT_EQ(s.baseImage.readPixel(1, 1), 0x090A0Bu); // the last byte, 12, is never read
  EXPECT_EQ(height16At(s, 1, 0), 256 * 4 + 5);
  EXPECT_EQ(height16At(s, 1, 1), 256 * 10 + 11);
  EXPECT_EQ(height8At(s, 0, 0), 10);
}

TEST(Ppm, HeaderRefusals) {
  TestFolder dir;
  // One header a field; the empty one is a file of data only.
  std::istringstream headers("P3 2 2 255|P5 2 2 255|P6 2 2 65535|P6 # comment\t2 2 255|P66 2 2 255|"
                             "P6 2 2 254|P6 0 2 255|P6 2 -2 255|P6 16385 1 255|P6 2x2 255|P6 2 2||"
                             "P6 99999999999999999999 1 255");
  for (std::string h; std::getline(headers, h, '|');) {
    Scene s;
    const auto before = snapshot(marked(s));
    EXPECT_EQ(loadPpm(s, dir.write("bad.ppm", ppm(h + "\n", 64))), Incompatible) << h;
    EXPECT_EQ(snapshot(s), before);
  }
  Scene s;
  EXPECT_EQ(loadPpm(s, dir.write("ok.ppm", ppm("  P6\r\n+2\f2 0255", 12))), Loaded);
}

TEST(HeightFieldByName, ClassifiesCaseSensitively) {
  TestFolder dir;
  Scene s;
  WindowValues w;
  const std::string tga = dir.write("hill.tga", targaBytes(512, 512));
  EXPECT_EQ(loadHeightFieldByName(s, w, defaultPalette(), tga), Loaded);
  EXPECT_EQ(w.hfFileType, 0);
  EXPECT_EQ(s.mapCentreY, 255.0f);

  Scene p;
  const std::string name = dir.write("hill.tga.ppm", ppm("P6 512 512 255\n", 3 * 512 * 512));
  EXPECT_EQ(loadHeightFieldByName(p, w, defaultPalette(), name), Loaded);
  EXPECT_EQ(w.hfFileType, 1);
  EXPECT_EQ(p.mapCentreX, 255.0f);
  EXPECT_EQ(height16At(p, 3, 3), 257 * 9);

  Scene u;
  const auto before = snapshot(marked(u));
  w.hfFileType = 1;
  EXPECT_EQ(loadHeightFieldByName(u, w, defaultPalette(), dir.write("HILL.TGA", targaBytes(2, 2))),
            WrongFileType);
  EXPECT_EQ(w.hfFileType, 0);
  EXPECT_EQ(loadHeightFieldByName(u, w, defaultPalette(), dir.file("gone.ppm")), CannotOpen);
  EXPECT_EQ(w.hfFileType, 1);
  std::filesystem::create_directory(dir.file("d.tga"));
  EXPECT_EQ(loadHeightFieldByName(u, w, defaultPalette(), dir.file("d.tga")), CannotOpen);
  // Both in the name over a good Targa: the PPM read fails, so nothing changes.
  w.hfFileType = 0;
  EXPECT_EQ(loadHeightFieldByName(u, w, defaultPalette(), dir.write("x.tga.ppm", targaBytes(2, 2))),
            Incompatible);
  EXPECT_EQ(w.hfFileType, 1);
  EXPECT_EQ(snapshot(u), before);
}

// The loads themselves are pinned above; the command adds the cancel, the
// kept name and the refit of what is on the map.
TEST(HeightFieldCommand, CancelKeepsEverythingAndALoadRefitsTheScene) {
  TestFolder dir;
  Scene s;
  WindowValues w;
  s.objects[2].append(100, 0, 40, AboveGround, 0);
  EXPECT_EQ(heightFieldCommand(s, w, defaultPalette(), std::nullopt), LoadCancelled);
  EXPECT_TRUE(w.hfFileName.empty());
  const std::string bad = dir.write("bad.ppm", ppm("P5 2 2 255\n", 12));
  EXPECT_EQ(heightFieldCommand(s, w, defaultPalette(), bad), Incompatible);
  EXPECT_EQ(w.hfFileName, bad); // kept although the read failed
  EXPECT_EQ(s.camera.z, 300);

  const std::string good = dir.write("g.ppm", ppm("P6 800 200 255\n", 3 * 800 * 200, 1));
  EXPECT_EQ(heightFieldCommand(s, w, defaultPalette(), good), Loaded);
  EXPECT_EQ(s.hfType, 1);
  EXPECT_DOUBLE_EQ(s.camera.x, 400); // rescaled to the new map
  EXPECT_DOUBLE_EQ(s.objects[2][0].z, 20);
}

TEST(FirstLoad, SuccessRefitsAndKeepsFailuresSayItWasTheFirstLoad) {
  TestFolder dir;
  WindowValues window;
  Scene s(&window);
  int redraws = 0;
  s.redrawHook = [&redraws](Scene &) { ++redraws; };
  window.hfFileName = dir.write("HILL.TGA", targaBytes(20, 10));
  EXPECT_EQ(firstHeightFieldLoad(s, window, defaultPalette()), WrongFileType);
  EXPECT_STREQ(firstLoadMessage(WrongFileType),
               "   First Load\n WRONG  FILE TYPE!!\n\nTGA & PPM types only !!");
  EXPECT_STREQ(firstLoadMessage(CannotOpen), "Unable to LOAD File !!");
  EXPECT_EQ(s.mapWidth, 400);
  EXPECT_EQ(redraws, 0);

  s.camera = {200, 0, 300, AboveWater, 1};
  window.hfFileName = dir.write("hill.tga", targaBytes(200, 100, 9));
  EXPECT_EQ(firstHeightFieldLoad(s, window, defaultPalette()), Loaded);
  EXPECT_EQ(firstLoadMessage(Loaded), nullptr);
  EXPECT_DOUBLE_EQ(s.camera.x, 100);
  EXPECT_DOUBLE_EQ(s.camera.z, 75);
  EXPECT_DOUBLE_EQ(s.camera.y, 9);
  EXPECT_DOUBLE_EQ(s.keptCamera.x, 100); // kept, so Undo returns to the fitted camera
  EXPECT_EQ(redraws, 1);
}

} // namespace
} // namespace hs
