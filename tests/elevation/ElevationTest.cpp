#include "elevation/DemImport.h"
#include "support/TestFiles.h"
#include "terrain/HeightField.h"

#include <QImage>

#include <gdal.h>
#include <gdal_frmts.h>
#include <ogr_srs_api.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "ElevationRasters.h"

namespace {

using namespace hs;
constexpr float kVoid = std::numeric_limits<float>::quiet_NaN();

TEST(ElevationMath, AreaAverageWeighsWhatEachCellCoversAndLeavesVoidsOut) {
  // 3 -> 2: the middle cell is split half and half between the outputs.
  const ElevationGrid g = resampleByArea({3, 2, {0, 6, 12, 2, kVoid, 14}}, 2, 1);
  EXPECT_EQ(g.cells, (std::vector<float>{(0 + 3 + 2) / 2.5f, (3 + 12 + 14) / 2.5f}));
  EXPECT_TRUE(std::isnan(resampleByArea({2, 2, {kVoid, kVoid, kVoid, 1}}, 2, 1).cells[0]));
  EXPECT_EQ((std::pair(resampledSize(16385, 2, 100).width, resampledSize(16385, 2, 100).height)),
            std::pair(100, 2));
  EXPECT_EQ(resampledSize(300, 200, 400).width, 300); // never larger
  EXPECT_EQ(resampledSize(200, 300, 150).width, 100);
}

TEST(ElevationMath, VoidsFillSmoothlyWithinTheRangeAndLevelsSpanIt) {
  ElevationGrid ramp{40, 30, {}};
  for (int k = 0; k < 40 * 30; ++k)
    ramp.cells.push_back(k % 40 >= 10 && k % 40 < 30 && k / 40 >= 5 && k / 40 < 25
                             ? kVoid
                             : static_cast<float>(k % 40)); // a hole in a ramp to the east
  const ElevationRange range = *elevationRange(ramp);
  EXPECT_EQ(fillVoids(ramp, range), 20 * 20);
  for (int y = 0; y < 30; ++y)
    for (int x = 1; x < 40; ++x) {
      ASSERT_TRUE(ramp.at(x, y) >= 0 && ramp.at(x, y) <= 39);
      ASSERT_LT(std::abs(ramp.at(x, y) - ramp.at(x - 1, y)), 3.0f) << x << "," << y;
    }
  EXPECT_EQ(levelOf(-20, {-20, 30}), 0);
  EXPECT_EQ(levelOf(30, {-20, 30}), 65535);
  EXPECT_EQ(seaLevelOf({-20, 30}), std::round(20.0f / 50 * 65535));
  EXPECT_EQ(seaLevelOf({5, 30}), 0.0f);
  EXPECT_EQ(trueScale(11, 21, 2, 3, {5, 30}).y, 25.0 * 65536 / 65535);
}

// Each raster of the table is read for its range, pixel size, voids, water and bands.
TEST(ElevationRead, EveryKindOfRasterGivesItsRangeScaleVoidsAndWater) {
  TestFolder f;
  for (const test::Raster &r : test::rasters()) {
    const std::string path = test::makeRaster(f, r);
    ElevationMap map;
    std::string message;
    ASSERT_EQ(readElevationModel(path, {0, r.cellSize}, map, message), ElevationImported)
        << r.name << message;
    EXPECT_EQ(
        std::tuple(map.width, map.height, map.range.lo, map.range.hi, map.voidsFilled, map.bands),
        std::tuple(r.w, r.h, r.lo(), r.hi(), r.voids(), r.bands))
        << r.name;
    EXPECT_NEAR(map.pixelWidth, r.pixelWidth, 1e-6 * r.pixelWidth) << r.name;
    EXPECT_NEAR(map.pixelHeight, r.pixelHeight, 1e-6 * r.pixelHeight) << r.name;
    EXPECT_EQ(map.waterLevel, seaLevelOf(map.range)) << r.name;
    EXPECT_EQ(map.levels[0], levelOf(r.at(0, 0), map.range)) << r.name; // north-west first
    EXPECT_EQ(elevationNotice(map).find("Band 1 of 2 used") != std::string::npos, r.bands == 2);
  }
  for (const auto &entry : std::filesystem::directory_iterator(f.path()))
    EXPECT_FALSE(entry.path().string().ends_with(".aux.xml")) << entry.path();
  // A resample of a raster too large to take whole, and the scale that follows it.
  const std::string wide = test::makeRaster(f, {.name = "wide.tif",
                                                .type = GDT_Int16,
                                                .w = 16385,
                                                .h = 2,
                                                .transform = {0, 1, 0, 0, 0, -1}});
  ElevationMap map;
  std::string message;
  EXPECT_EQ(readElevationModel(wide, {}, map, message), ElevationRefused);
  EXPECT_NE(message.find("16,384"), std::string::npos);
  ASSERT_EQ(readElevationModel(wide, {100, 0}, map, message), ElevationImported);
  EXPECT_EQ(std::tuple(map.width, map.height, map.pixelWidth), std::tuple(100, 2, 163.85));
  EXPECT_EQ(map.scale.x, 99 * 163.85);
}

TEST(ElevationRead, RefusalsSayWhyAndNothingIsWrittenBesideTheSource) {
  TestFolder f;
  const auto seven = [](int, int) { return 7.0; };
  test::makeRaster(f, {.name = "rotated.tif", .transform = {0, 10, 1, 0, 0, -10}});
  const std::string flat = test::makeRaster(f, {.name = "flat.tif", .e = seven});
  const std::string empty = test::makeRaster(f, {.name = "empty.tif", .e = seven, .noData = 7});
  QImage(4, 4, QImage::Format_Grayscale16).save(QString::fromStdString(f.file("grey.png")));
  const std::vector<std::pair<std::string, std::string>> refusals = {
      {f.file("rotated.tif"), "rotated or sheared"},
      {flat, "flat"},
      {empty, "no valid elevation"},
      {f.file("grey.png"), "not an elevation model"},
      {f.file("none.tif"), "cannot be opened"},
      {f.path(), "not a regular file"},
      {makeFifo(f, "fifo.tif"), "not a regular file"}};
  const auto before = std::distance(std::filesystem::directory_iterator(f.path()), {});
  for (const auto &[path, why] : refusals) {
    ElevationMap map;
    std::string message;
    EXPECT_NE(readElevationModel(path, {}, map, message), ElevationImported) << path;
    EXPECT_NE(message.find(why), std::string::npos) << path << ": " << message;
  }
  // Cancelled from the progress report, before anything is written.
  ElevationMap map;
  std::string message;
  const std::string dem = test::makeRaster(f, test::rasters()[0]);
  EXPECT_EQ(
      importElevationModel(dem, f.file("out.png"), {}, map, message, [](double) { return false; }),
      ElevationCancelled);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.path()), {}), before + 1);
}

} // namespace
