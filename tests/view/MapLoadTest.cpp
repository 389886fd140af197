#include "view/MapLoad.h"

#include "support/FakeSurface.h"
#include "support/TestFiles.h"
#include "terrain/Height.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

// What a failed load must leave untouched.
auto state(const Scene &s) {
  return std::tuple(s.mapWidth, s.mapHeight, s.prevMapWidth, s.mapCentreX, s.hfType,
                    s.baseImage.readPixel(0, 0), s.viewImage.readPixel(0, 0), s.viewImage.width());
}

// The name picks the type, case-sensitively; a new map is shown once, a failure changes nothing.
TEST(HeightFieldByName, ClassifiesCaseSensitivelyAndShowsTheNewMapOnce) {
  TestFolder dir;
  Scene s, u;
  WindowValues w;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  const auto load = [&w](Scene &scene, const std::string &path) {
    const int result = loadHeightFieldByName(scene, w, defaultPalette(), path);
    return std::pair(result, w.hfFileType);
  };
  EXPECT_EQ(load(s, dir.write("hill.tga", targaBytes(3, 2, 200))), std::pair(+Loaded, 0));
  // viewImage is a copy of baseImage; hfType is the caller's to set.
  EXPECT_EQ(std::tuple(s.mapWidth, s.prevMapWidth, s.viewImage.width(), s.viewImage.height(),
                       s.viewImage.readPixel(2, 1), s.hfType),
            std::tuple(3, 400, 3, 2, 0xC88282u, 0));
  ASSERT_EQ(pane.showCount, 1);
  EXPECT_EQ(std::tuple(pane.calls.back(), pane.paneAt(1, 0)),
            std::tuple("show 0 0 400 400", 0xC88282u));

  u.prevMapWidth = 123; // so a change of the previous size shows
  u.baseImage.writePixel(0, 0, 0x123456);
  u.viewImage.writePixel(0, 0, 0x654321);
  const auto before = state(u);
  // A failure leaves the type of the map shown, whatever was tried.
  w.hfFileType = 1;
  EXPECT_EQ(load(u, dir.write("x.PPM", targaBytes(2, 2))), std::pair(+WrongFileType, 1));
  EXPECT_EQ(load(u, dir.file("gone.ppm")), std::pair(+CannotOpen, 1));
  // Both in the name over a good Targa: the PPM read fails, so nothing changes.
  w.hfFileType = 0;
  EXPECT_EQ(load(u, dir.write("x.tga.ppm", targaBytes(2, 2))), std::pair(+Incompatible, 0));
  EXPECT_EQ(state(u), before);
  // Only a name the rule above rejects is taken by its ending, in any case.
  const std::string pgm = "P5 2 2 255\n" + std::string(4, 9);
  EXPECT_EQ(load(u, dir.write("hill.tga.pgm", pgm)), std::pair(+Incompatible, 0));
  EXPECT_EQ(load(u, dir.write("hill.pgm.txt", pgm)), std::pair(+WrongFileType, 0));
  EXPECT_EQ(load(u, dir.write("hill.PGM", pgm)), std::pair(+Loaded, 3));
  EXPECT_EQ(u.baseImage.readPixel(1, 1), 0x090909u); // 9 * 257
  QImage grey(2, 2, QImage::Format_Grayscale8);
  grey.fill(9);
  ASSERT_TRUE(grey.save(QString::fromStdString(dir.file("hill.pNg")), "PNG"));
  EXPECT_EQ(load(u, dir.file("hill.pNg")), std::pair(+Loaded, 2));
}

// A failure says it was the first load and changes nothing; a success refits, keeps and redraws.
TEST(FirstLoad, SuccessRefitsAndKeepsFailuresSayItWasTheFirstLoad) {
  TestFolder dir;
  WindowValues window;
  Scene s(&window);
  int redraws = 0;
  s.onChange([&redraws](Change) { ++redraws; });
  window.hfFileName = dir.write("HILL.TGA", targaBytes(20, 10));
  EXPECT_EQ(firstHeightFieldLoad(s, window, defaultPalette()), WrongFileType);
  EXPECT_STREQ(firstLoadMessage(WrongFileType),
               "   First Load\n WRONG  FILE TYPE!!\n\nTGA & PPM types only !!");
  EXPECT_EQ(std::pair(s.mapWidth, redraws), std::pair(400, 0));

  s.camera = {200, 0, 300, AboveWater, 1};
  window.hfFileName = dir.write("hill.tga", targaBytes(200, 100, 9));
  EXPECT_EQ(firstHeightFieldLoad(s, window, defaultPalette()), Loaded);
  // The fitted camera is kept, so Undo returns to it.
  EXPECT_EQ(std::tuple(s.camera.x, s.camera.z, s.camera.y, s.keptCamera.x, redraws),
            std::tuple(100.0, 75.0, 9.0, 100.0, 1));
}

// Only a Targa map takes a palette, whatever the last attempted load's type, and is recoloured.
TEST(PaletteCommand, OnlyATargaMapTakesAPaletteAndItIsRecoloured) {
  Scene s;
  WindowValues w;
  int redraws = 0;
  s.onChange([&redraws](Change) { ++redraws; });
  s.baseImage.writePixel(1, 1, defaultPalette()[100]);
  Palette p = defaultPalette();
  const std::string grey = HS_TEST_DATA "/grey.pal";
  std::tie(s.hfType, w.hfFileType) = std::pair(1, 0); // a PPM map after a failed Targa load
  EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteCancelled);
  EXPECT_EQ(std::pair(p, s.baseImage.readPixel(1, 1)),
            std::pair(defaultPalette(), defaultPalette()[100]));

  std::tie(s.hfType, w.hfFileType) = std::pair(0, 1); // a Targa map after a failed PPM load
  EXPECT_EQ(paletteCommand(s, w, p, std::string("/nonexistent.pal")), PaletteOpenError);
  EXPECT_EQ(std::tuple(w.paletteFileName, redraws), std::tuple("/nonexistent.pal", 0));
  EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteLoaded);
  EXPECT_EQ(std::tuple(s.baseImage.readPixel(1, 1), p[7], redraws),
            std::tuple(vColor(100, 100, 100).value(), vColor(7, 7, 7).value(), 2));
}

} // namespace
} // namespace hs
