#include "view/MapLoad.h"
#include "view/Redraw.h"
#include "view/ShownMap.h"

#include "support/DataTable.h"
#include "support/Documents.h"
#include "support/FakeSurface.h"
#include "support/TestFiles.h"
#include "terrain/Height.h"
#include "terrain/HeightField.h"
#include "terrain/Palette.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

using Polygon = std::vector<Point>;

struct RedrawFixture : ::testing::Test {
  Scene s;
  test::FakeSurface pane;
  ProgramValues values;
  RedrawFixture() { s.attachSurface(&pane); }
  void aim(PointD camera, PointD look) {
    ScItem c = s.document().camera(), l = s.document().lookAt();
    std::tie(c.x, c.z, l.x, l.z) = std::tuple(camera.x, camera.z, look.x, look.z);
    s.document().setCamera(c);
    s.document().setLookAt(l);
  }
};

TEST_F(RedrawFixture, BorderHitInEveryDirectionOfTheTable) {
  for (const auto &row : test::dataTable("border_hits.txt")) {
    const auto step = test::numbers<double>(row[0]), want = test::numbers<double>(row[1]);
    const PointD r = borderHitExact(s.document(), {100, 100}, {100 + step[0], 100 + step[1]});
    EXPECT_LT(std::hypot(r.x - want[0], r.z - want[1]), 1e-9) << row[0];
  }
  EXPECT_EQ(borderHit(s.document(), {200, 200}, {201, 199.4}), (Point{400, 80}));
}

TEST_F(RedrawFixture, ViewPolygonMeetsTheBordersAndVisitsTheCornersBetween) {
  aim({200, 300}, {200, 100}); // straight up: all four corners
  const Polygon up{{200, 300}, {32, 0},  {0, 0},   {0, 400},
                   {400, 400}, {400, 0}, {367, 0}, {200, 300}};
  EXPECT_EQ(viewPolygon(s.document(), 34), up);
  aim({200, 200}, {400, 0}); // toward the top-right corner: three
  EXPECT_EQ(viewPolygon(s.document(), 34),
            (Polygon{{200, 200}, {256, 0}, {0, 0}, {0, 400}, {400, 400}, {400, 143}, {200, 200}}));
  s.document().setLookAt(s.document().camera());
  EXPECT_TRUE(viewPolygon(s.document(), 34).empty());
  aim({NAN, 200}, {200, 100});
  EXPECT_TRUE(viewPolygon(s.document(), 34).empty());
  aim({1e300, 200}, {-1e300, 200});
  s.showView = 1;
  redraw(s, values); // must simply not fail
  EXPECT_EQ(pane.showCount, 1);
}

// The Targa comparison is pinned by the golden image.
TEST_F(RedrawFixture, WaterOnASixteenBitMapComparesTheSixteenBitHeight) {
  s.document().setHfType(s.showWater = 1);
  s.showRelief[1] = 0;
  // 513 at (3, 0), 514 at (4, 0), blue ignored.
  test::paintMap(s.document(), [](int x, int y) {
    return y == 0 && x == 3 ? 0x000201u : y == 0 && x == 4 ? 0xFF0202u : 0xFFFFFFu;
  });
  s.document().setWaterLevel(513);
  redraw(s, values);
  EXPECT_EQ(std::pair(s.viewImage.readPixel(3, 0), s.viewImage.readPixel(4, 0)),
            std::pair(waterColour.value(), palette()[2]));
}

// An append draws its own mark; a step shows once, when it ends; what the map
// does not show draws nothing.
TEST_F(RedrawFixture, TheViewFollowsTheDocumentsChanges) {
  installRedraw(s, values);
  s.document().append(4, 50, 0, 50, AboveGround, 0);
  EXPECT_EQ(std::pair(pane.showCount, s.viewImage.readPixel(47, 47)),
            std::pair(1, builtinMarkers()[4].at(1, 1)));
  s.document().killAll();
  EXPECT_EQ(std::pair(pane.showCount, s.viewImage.readPixel(47, 47)), std::pair(2, 0xFFFFFFu));
  {
    const HistoryStep step(s.document(), "Two");
    s.document().append(4, 50, 0, 50, AboveGround, 0);
    s.document().setCamera({60, 0, 60, AboveWater, 1});
    EXPECT_EQ(pane.showCount, 2);
  }
  s.document().setSmoothOn(1);
  s.document().setWaterLevel(90); // the water is not shown
  EXPECT_EQ(std::pair(pane.showCount, s.viewImage.readPixel(47, 47)),
            std::pair(3, builtinMarkers()[4].at(1, 1)));
}

// Markers truncated toward zero (10 at column -1) and clipped (16 at the corner).
// HS_WRITE_GOLDEN=1 writes the file anew.
TEST_F(RedrawFixture, GoldenImageOfAFullRedraw) {
  LRMemoryDC map(48, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 48; ++x)
      map.writePixel(x, y, defaultPalette()[static_cast<std::size_t>(x + y)]);
  s.document().setMap(std::move(map));
  s.viewImage = LRMemoryDC(48, 40);
  s.document().setWaterLevel(30.9f);
  values.showOrder = s.showWater = s.showView = 1;
  aim({24, 33.5}, {30, 8});
  const std::tuple<std::size_t, double, double> markers[] = {
      {0, 5, 5},    {0, 20, 12},   {0, 40, 6},      {11, 44.7, 36.2},
      {11, 33, 18}, {9, 2.5, 3.9}, {15, 46.9, 39.9}};
  for (const auto &[type, x, z] : markers)
    s.document().append(type, x, 0, z, AboveGround, 0);
  redraw(s, values);

  const QString path = HS_TEST_DATA "/redraw_golden.ppm";
  const QImage got = s.viewImage.image().convertToFormat(QImage::Format_RGB888);
  if (std::getenv("HS_WRITE_GOLDEN")) {
    got.save(path, "PPM");
    GTEST_SKIP() << "wrote " << path.toStdString() << "; look at it before committing";
  }
  EXPECT_TRUE(QImage(path).convertToFormat(QImage::Format_RGB888) == got) << "differs from golden";
}

template <class Level> void sixteenBitMap(Scene &s, int w, int h, Level level) {
  LRMemoryDC image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto v = static_cast<std::uint32_t>(level(x, y));
      image.rowPixels(y)[x] = 0xFF000000u | (v & 255) << 16 | (v >> 8) << 8;
    }
  commitHeightField(s.document(), std::move(image));
  s.document().setHfType(PngMap);
}

// Planes over a grey of 100, lit from the north-west; edges and corners alike.
TEST(ShownMap, ReliefLightsSlopesFacingTheNorthWest) {
  Palette grey;
  grey.fill(0x646464); // 100
  // Rise east and south per pixel, over this width between pixels; none is shown as flat.
  const std::tuple<int, int, float, int> planes[] = {{1, 0, 4, 115}, {-1, 0, 4, 40}, {0, 1, 4, 115},
                                                     {0, -1, 4, 40}, {-1, 1, 4, 67}, {-4, 0, 4, 25},
                                                     {0, 0, 4, 100}, {1, 0, 0, 100}};
  for (const auto &[east, south, width, want] : planes) {
    Scene s;
    sixteenBitMap(s, 5, 5,
                  [e = east, n = south](int x, int y) { return 30000 + 256 * (e * x + n * y); });
    s.document().setScale(width, 65535.0f / 256, 4.0f);
    LRMemoryDC out;
    ASSERT_TRUE(buildShownMap(s.document(), grey, true, out));
    for (int i = 0; i < 25; ++i)
      ASSERT_EQ(out.readPixel(i % 5, i / 5), ColourValue(want * 0x10101))
          << east << "," << south << "," << width << " at " << i % 5 << "," << i / 5;
  }
}

TEST(ShownMap, ColoursByHighByteAndIsKeptUntilWhatItShowsChanges) {
  Scene s;
  ProgramValues values;
  Document &d = s.document();
  sixteenBitMap(s, 3, 2, [](int x, int y) { return x * 0x1234 + y * 0x8000; });
  s.showRelief[1] = 0;
  Palette pal = defaultPalette();
  const LRMemoryDC &shown = shownMap(s, pal);
  EXPECT_EQ(&shown, &s.shownMap);
  EXPECT_EQ(std::tuple(shown.readPixel(1, 0), shown.readPixel(2, 1)),
            std::tuple(pal[0x12], pal[0x80 + 0x24]));
  s.shownMap.writePixel(0, 0, 0x123456); // gone when made again
  const auto remade = [&](auto change) {
    change();
    const bool again = shownMap(s, pal).readPixel(0, 0) != 0x123456;
    s.shownMap.writePixel(0, 0, 0x123456);
    return again;
  };
  EXPECT_FALSE(remade([] {}));
  EXPECT_TRUE(remade([&] { d.setScale(100, 2, 100); }));
  EXPECT_TRUE(remade([&] { d.setScale(2, 2, 100); }));
  EXPECT_TRUE(remade([&] { pal[9] = 1; }));
  EXPECT_TRUE(remade([&] { d.recolour([](LRMemoryDC &) {}); }));
  EXPECT_TRUE(remade([&] { toggleRelief(s, values); }));
  EXPECT_TRUE(remade([&] { s.document().setHfType(PgmMap); }));
  s.document().setHfType(TargaMap);
  EXPECT_EQ(&shownMap(s, pal), &s.document().baseImage());
  EXPECT_EQ(s.showRelief, (std::array<int, 2>{0, 1}));
}

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
  const ProgramValues values;
  installRedraw(s, values);
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
  // A ".tga" is colour-mapped or true colour as its header says.
  std::filesystem::copy_file(HS_TEST_DATA "/truecolour24.tga", dir.file("hill.tga"),
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(load(u, dir.file("hill.tga")), std::pair(+Loaded, +TrueColourTargaMap));
  QImage grey(2, 2, QImage::Format_Grayscale8);
  grey.fill(9);
  ASSERT_TRUE(grey.save(QString::fromStdString(dir.file("hill.pNg")), "PNG"));
  EXPECT_EQ(load(u, dir.file("hill.pNg")), std::pair(+Loaded, 2));
}

TEST(FirstLoad, SuccessRefitsAndKeepsFailuresSayItWasTheFirstLoad) {
  TestFolder dir;
  Scene s;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  const ProgramValues values;
  installRedraw(s, values);
  const int &redraws = pane.showCount;
  s.document().setHfFileName(dir.write("HILL.TGA", targaBytes(20, 10)));
  EXPECT_EQ(firstHeightFieldLoad(s, defaultPalette()), WrongFileType);
  EXPECT_STREQ(firstLoadMessage(WrongFileType),
               "   First Load\n WRONG  FILE TYPE!!\n\nTGA & PPM types only !!");
  EXPECT_EQ(std::pair(s.document().mapWidth(), redraws), std::pair(400, 0));

  s.document().setCamera({200, 0, 300, AboveWater, 1});
  s.document().setHfFileName(dir.write("hill.tga", targaBytes(200, 100, 9)));
  pane.showCount = 0;
  {
    const HistoryStep step(s.document(), "Start"); // as the window's start-up
    EXPECT_EQ(firstHeightFieldLoad(s, defaultPalette()), Loaded);
  }
  EXPECT_EQ(std::tuple(s.document().camera().x, s.document().camera().z, s.document().camera().y,
                       s.document().keptCamera().x, redraws),
            std::tuple(100.0, 75.0, 9.0, 100.0, 1));
}

TEST(PaletteCommand, OnlyATargaMapTakesAPaletteAndItIsRecoloured) {
  Scene s;
  WindowValues w;
  test::FakeSurface pane;
  s.attachSurface(&pane);
  const ProgramValues values;
  installRedraw(s, values);
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
  pane.showCount = 0;
  EXPECT_EQ(paletteCommand(s, w, p, std::string("/nonexistent.pal")), PaletteOpenError);
  EXPECT_EQ(std::tuple(w.paletteFileName, pane.showCount), std::tuple("/nonexistent.pal", 0));
  {
    const HistoryStep step(s.document(), "Palette"); // as the window's commands
    EXPECT_EQ(paletteCommand(s, w, p, grey), PaletteLoaded);
  }
  // Recoloured twice, shown once.
  EXPECT_EQ(std::tuple(s.document().baseImage().readPixel(1, 1), p[7], pane.showCount),
            std::tuple(vColor(100, 100, 100).value(), vColor(7, 7, 7).value(), 1));
}

} // namespace
} // namespace hs
