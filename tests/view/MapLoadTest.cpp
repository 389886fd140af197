#include "view/MapLoad.h"

#include "support/Documents.h"
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
  return std::tuple(s.document().mapWidth(), s.document().mapHeight(), s.document().prevMapWidth(),
                    s.document().mapCentreX(), s.document().hfType(),
                    s.document().baseImage().readPixel(0, 0), s.viewImage.readPixel(0, 0),
                    s.viewImage.width());
}

TEST(HeightFieldByName, ClassifiesCaseSensitivelyAndShowsTheNewMapOnce) {
  TestFolder dir;
  Scene s, u;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  const auto load = [](Scene &scene, const std::string &path) {
    const int result = loadHeightFieldByName(scene, defaultPalette(), path);
    return std::pair(result, scene.document().hfFileType());
  };
  EXPECT_EQ(load(s, dir.write("hill.tga", targaBytes(3, 2, 200))), std::pair(+Loaded, 0));
  // hfType is the caller's to set.
  EXPECT_EQ(std::tuple(s.document().mapWidth(), s.document().prevMapWidth(), s.viewImage.width(),
                       s.viewImage.height(), s.viewImage.readPixel(2, 1), s.document().hfType()),
            std::tuple(3, 400, 3, 2, 0xC88282u, 0));
  ASSERT_EQ(pane.showCount, 1);
  EXPECT_EQ(std::tuple(pane.calls.back(), pane.paneAt(1, 0)),
            std::tuple("show 0 0 400 400", 0xC88282u));

  test::paintMap(u.document(), [](int x, int y) { return x + y == 0 ? 0x123456 : 0; });
  u.viewImage.writePixel(0, 0, 0x654321);
  const auto before = state(u);
  u.document().setHfFileType(1);
  EXPECT_EQ(load(u, dir.write("x.PPM", targaBytes(2, 2))), std::pair(+WrongFileType, 1));
  EXPECT_EQ(load(u, dir.file("gone.ppm")), std::pair(+CannotOpen, 1));
  u.document().setHfFileType(0);
  EXPECT_EQ(load(u, dir.write("x.tga.ppm", targaBytes(2, 2))), std::pair(+Incompatible, 0));
  EXPECT_EQ(state(u), before);
  // Only a name the rule above rejects is taken by its ending.
  const std::string pgm = "P5 2 2 255\n" + std::string(4, 9);
  EXPECT_EQ(load(u, dir.write("hill.tga.pgm", pgm)), std::pair(+Incompatible, 0));
  EXPECT_EQ(load(u, dir.write("hill.pgm.txt", pgm)), std::pair(+WrongFileType, 0));
  EXPECT_EQ(load(u, dir.write("hill.PGM", pgm)), std::pair(+Loaded, 3));
  EXPECT_EQ(u.document().baseImage().readPixel(1, 1), 0x090909u); // 9 * 257
  QImage grey(2, 2, QImage::Format_Grayscale8);
  grey.fill(9);
  ASSERT_TRUE(grey.save(QString::fromStdString(dir.file("hill.pNg")), "PNG"));
  EXPECT_EQ(load(u, dir.file("hill.pNg")), std::pair(+Loaded, 2));
}

TEST(FirstLoad, SuccessRefitsAndKeepsFailuresSayItWasTheFirstLoad) {
  TestFolder dir;
  Scene s;
  int redraws = 0;
  s.onChange([&redraws](Change) { ++redraws; });
  s.document().setHfFileName(dir.write("HILL.TGA", targaBytes(20, 10)));
  EXPECT_EQ(firstHeightFieldLoad(s, defaultPalette()), WrongFileType);
  EXPECT_STREQ(firstLoadMessage(WrongFileType),
               "   First Load\n WRONG  FILE TYPE!!\n\nTGA & PPM types only !!");
  EXPECT_EQ(std::pair(s.document().mapWidth(), redraws), std::pair(400, 0));

  s.document().setCamera({200, 0, 300, AboveWater, 1});
  s.document().setHfFileName(dir.write("hill.tga", targaBytes(200, 100, 9)));
  EXPECT_EQ(firstHeightFieldLoad(s, defaultPalette()), Loaded);
  EXPECT_EQ(std::tuple(s.document().camera().x, s.document().camera().z, s.document().camera().y,
                       s.document().keptCamera().x, redraws),
            std::tuple(100.0, 75.0, 9.0, 100.0, 1));
}

TEST(PaletteCommand, OnlyATargaMapTakesAPaletteAndItIsRecoloured) {
  Scene s;
  WindowValues w;
  int redraws = 0;
  s.onChange([&redraws](Change) { ++redraws; });
  test::paintMap(s.document(),
                 [](int x, int y) { return x == 1 && y == 1 ? defaultPalette()[100] : 0xFFFFFFu; });
  Palette p = defaultPalette();
  const std::string grey = HS_TEST_DATA "/grey.pal";
  // A PPM map after a failed Targa load.
  s.document().setHfType(1);
  s.document().setHfFileType(0);
  EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteCancelled);
  EXPECT_EQ(std::pair(p, s.document().baseImage().readPixel(1, 1)),
            std::pair(defaultPalette(), defaultPalette()[100]));

  // A Targa map after a failed PPM load.
  s.document().setHfType(0);
  s.document().setHfFileType(1);
  EXPECT_EQ(paletteCommand(s, w, p, std::string("/nonexistent.pal")), PaletteOpenError);
  EXPECT_EQ(std::tuple(w.paletteFileName, redraws), std::tuple("/nonexistent.pal", 0));
  EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteLoaded);
  EXPECT_EQ(std::tuple(s.document().baseImage().readPixel(1, 1), p[7], redraws),
            std::tuple(vColor(100, 100, 100).value(), vColor(7, 7, 7).value(), 2));
}

} // namespace
} // namespace hs
