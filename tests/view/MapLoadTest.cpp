#include "view/MapLoad.h"

#include "support/FakeSurface.h"
#include "support/TestFiles.h"
#include "terrain/Height.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace hs {
namespace {

std::string ppm(const std::string &header, std::size_t dataBytes, char fill = 9) {
  return header + std::string(dataBytes, fill);
}

// What a failed load must leave untouched.
auto state(const Scene &s) {
  return std::tuple(s.mapWidth, s.mapHeight, s.prevMapWidth, s.mapCentreX, s.hfType,
                    s.baseImage.readPixel(0, 0), s.viewImage.readPixel(0, 0), s.viewImage.width());
}

TEST(HeightFieldByName, ClassifiesCaseSensitivelyAndShowsTheNewMapOnce) {
  TestFolder dir;
  Scene s;
  WindowValues w;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  EXPECT_EQ(
      loadHeightFieldByName(s, w, defaultPalette(), dir.write("hill.tga", targaBytes(3, 2, 200))),
      Loaded);
  EXPECT_EQ(w.hfFileType, 0);
  EXPECT_EQ(std::tuple(s.mapWidth, s.prevMapWidth, s.viewImage.width(), s.viewImage.height()),
            std::tuple(3, 400, 3, 2));
  EXPECT_EQ(s.viewImage.readPixel(2, 1), 0xC88282u); // a copy of baseImage
  EXPECT_EQ(s.hfType, 0);                            // the caller sets it
  ASSERT_EQ(pane.showCount, 1);
  EXPECT_EQ(pane.calls.back(), "show 0 0 400 400");
  EXPECT_EQ(pane.paneAt(1, 0), 0xC88282u);

  Scene u;
  u.prevMapWidth = 123; // so a change of the previous size shows
  u.baseImage.writePixel(0, 0, 0x123456);
  u.viewImage.writePixel(0, 0, 0x654321);
  const auto before = state(u);
  w.hfFileType = 1;
  EXPECT_EQ(loadHeightFieldByName(u, w, defaultPalette(), dir.write("HILL.TGA", targaBytes(2, 2))),
            WrongFileType);
  EXPECT_EQ(w.hfFileType, 0);
  EXPECT_EQ(loadHeightFieldByName(u, w, defaultPalette(), dir.file("gone.ppm")), CannotOpen);
  EXPECT_EQ(w.hfFileType, 1);
  // Both in the name over a good Targa: the PPM read fails, so nothing changes.
  w.hfFileType = 0;
  EXPECT_EQ(loadHeightFieldByName(u, w, defaultPalette(), dir.write("x.tga.ppm", targaBytes(2, 2))),
            Incompatible);
  EXPECT_EQ(w.hfFileType, 1);
  EXPECT_EQ(state(u), before);
}

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
  s.onChange([&redraws](Change) { ++redraws; });
  window.hfFileName = dir.write("HILL.TGA", targaBytes(20, 10));
  EXPECT_EQ(firstHeightFieldLoad(s, window, defaultPalette()), WrongFileType);
  EXPECT_STREQ(firstLoadMessage(WrongFileType),
               "   First Load\n WRONG  FILE TYPE!!\n\nTGA & PPM types only !!");
  EXPECT_EQ(s.mapWidth, 400);
  EXPECT_EQ(redraws, 0);

  s.camera = {200, 0, 300, AboveWater, 1};
  window.hfFileName = dir.write("hill.tga", targaBytes(200, 100, 9));
  EXPECT_EQ(firstHeightFieldLoad(s, window, defaultPalette()), Loaded);
  EXPECT_DOUBLE_EQ(s.camera.x, 100);
  EXPECT_DOUBLE_EQ(s.camera.z, 75);
  EXPECT_DOUBLE_EQ(s.camera.y, 9);
  EXPECT_DOUBLE_EQ(s.keptCamera.x, 100); // kept, so Undo returns to the fitted camera
  EXPECT_EQ(redraws, 1);
}

TEST(PaletteCommand, OnlyATargaMapTakesAPaletteAndItIsRecoloured) {
  Scene s;
  WindowValues w;
  int redraws = 0;
  s.onChange([&redraws](Change) { ++redraws; });
  s.baseImage.writePixel(1, 1, defaultPalette()[100]);
  Palette p = defaultPalette();
  std::string text;
  for (int i = 0; i < 256; ++i)
    text += std::to_string(i) + "," + std::to_string(i) + "," + std::to_string(i) + "\n";
  TestFolder dir;
  const std::string grey = dir.write("grey.pal", text);
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
  EXPECT_EQ(redraws, 0);
  EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteLoaded);
  EXPECT_EQ(s.baseImage.readPixel(1, 1), vColor(100, 100, 100).value());
  EXPECT_EQ(p[7], vColor(7, 7, 7).value());
  EXPECT_EQ(redraws, 2);
}

} // namespace
} // namespace hs
