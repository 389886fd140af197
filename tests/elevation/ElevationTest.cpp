#include "ElevationRasters.h"
#include "elevation/DemImport.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace hs;
constexpr float kVoid = std::numeric_limits<float>::quiet_NaN();

TEST(ElevationMath, AreaAverageVoidFillAndWater) {
  // 3 -> 2: the middle cell is split half and half between the outputs.
  const ElevationGrid g = resampleByArea({3, 2, {0, 6, 12, 2, kVoid, 14}}, 2, 1);
  EXPECT_EQ(g.cells, (std::vector<float>{(0 + 3 + 2) / 2.5f, (3 + 12 + 14) / 2.5f}));
  EXPECT_TRUE(std::isnan(resampleByArea({2, 2, {kVoid, kVoid, kVoid, 1}}, 2, 1).cells[0]));
  // Never larger than the source; the shorter side in proportion.
  EXPECT_EQ(std::pair(resampledSize(300, 200, 400).width, resampledSize(200, 300, 150).width),
            std::pair(300, 100));
  ElevationGrid ramp{40, 30, {}};
  for (int k = 0; k < 40 * 30; ++k)
    ramp.cells.push_back(k % 40 >= 10 && k % 40 < 30 && k / 40 >= 5 && k / 40 < 25
                             ? kVoid
                             : static_cast<float>(k % 40)); // a hole in a ramp to the east
  EXPECT_EQ(fillVoids(ramp, *elevationRange(ramp)), 20 * 20);
  for (int k = 1; k < 40 * 30; ++k) // within the range, and no step of more than 3 m
    ASSERT_TRUE(ramp.cells[k] >= 0 && ramp.cells[k] <= 39 &&
                (k % 40 == 0 || std::abs(ramp.cells[k] - ramp.cells[k - 1]) < 3.0f))
        << k;
  EXPECT_EQ(std::pair(seaLevelOf({-20, 30}), seaLevelOf({5, 30})),
            std::pair(std::round(20.0f / 50 * 65535), 0.0f));
}

// Each raster of the table reads as its range, pixel size and voids; a
// resample takes a raster too large to take whole; refusals say why; nothing
// is ever written beside a source.
TEST(ElevationRead, EveryKindOfRasterAndEveryRefusal) {
  TestFolder f;
  ElevationMap map;
  std::string message;
  for (const test::Raster &r : test::rasters()) {
    ASSERT_EQ(readElevationModel(test::makeRaster(f, r), {0, r.cellSize}, map, message),
              ElevationImported)
        << r.name << message;
    EXPECT_EQ(std::tuple(map.width, map.height, map.range.lo, map.range.hi, map.voidsFilled),
              std::tuple_cat(std::tuple(r.w, r.h), r.summary()))
        << r.name;
    EXPECT_NEAR(map.pixelWidth, r.pixel.first, 1e-6 * r.pixel.first) << r.name;
    EXPECT_NEAR(map.pixelHeight, r.pixel.second, 1e-6 * r.pixel.second) << r.name;
  }
  const std::string wide = test::makeRaster(f, {.name = "wide.tif", .w = 16385, .h = 2});
  ASSERT_EQ(readElevationModel(wide, {100, 0}, map, message), ElevationImported);
  EXPECT_EQ(std::tuple(map.width, map.height, map.pixelWidth, map.scale.x),
            std::tuple(100, 2, 30 * (16385 / 100.0), 99 * (30 * (16385 / 100.0))));
  const auto seven = [](int, int) { return 7.0; };
  QImage(4, 4, QImage::Format_Grayscale16).save(QString::fromStdString(f.file("grey.png")));
  const std::vector<std::pair<std::string, std::string>> refusals = {
      {wide, "16,384 on a side; give a size (--size, or \"Longest side\""},
      {test::makeRaster(f, {.name = "rotated.tif", .transform = {0, 10, 1, 0, 0, -10}}),
       "rotated or sheared"},
      {test::makeRaster(f, {.name = "flat.tif", .e = seven}), "flat"},
      {test::makeRaster(f, {.name = "empty.tif", .e = seven, .noData = 7}), "no valid elevation"},
      {f.file("grey.png"), "not an elevation model"},
      {f.file("none.tif"), "cannot be opened"},
      {f.path(), "not a regular file"},
      {makeFifo(f, "fifo.tif"), "not a regular file"}};
  for (const auto &[path, why] : refusals) {
    EXPECT_NE(readElevationModel(path, {}, map, message), ElevationImported) << path;
    EXPECT_NE(message.find(why), std::string::npos) << path << ": " << message;
  }
  for (const auto &entry : std::filesystem::directory_iterator(f.path()))
    EXPECT_FALSE(entry.path().string().ends_with(".aux.xml")) << entry.path();
}

} // namespace
