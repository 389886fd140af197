// Small elevation rasters made in the tests, through GDAL's own API or as text.
#pragma once

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <gdal.h>
#include <gdal_frmts.h>
#include <ogr_srs_api.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace hs::test {

struct Raster {
  std::string name; // ".asc" an ESRI ASCII grid, else a GeoTIFF
  GDALDataType type = GDT_Float32;
  int w = 12, h = 10;
  int epsg = 0; // 0: no coordinate system
  std::function<double(int, int)> e = [](int x, int y) { return x + 2.0 * y; };
  // Where the raster holds noData (1) or NaN (2) instead of e.
  std::function<int(int, int)> hole = [](int, int) { return 0; };
  std::optional<double> noData = std::nullopt;
  std::array<double, 6> transform = {500000, 30, 0, 4000000, 0, -30};
  int bands = 1;
  double cellSize = 0;                        // asked for instead of the raster's
  std::pair<double, double> pixel = {30, 30}; // metres, as read

  // The elevation at (x, y) as stored, NaN in a void.
  double at(int x, int y) const {
    return hole(x, y) != 0 ? std::numeric_limits<double>::quiet_NaN()
                           : static_cast<double>(static_cast<float>(e(x, y)));
  }
  // The lowest and highest valid elevation, and the number of voids.
  std::tuple<double, double, long long> summary() const {
    double lo = INFINITY, hi = -INFINITY;
    long long voids = 0;
    for (int k = 0; k < w * h; ++k) {
      const double v = at(k % w, k / w);
      voids += std::isnan(v) ? 1 : 0;
      lo = std::isnan(v) ? lo : std::min(lo, v);
      hi = std::isnan(v) ? hi : std::max(hi, v);
    }
    return {lo, hi, voids};
  }
};

// Writes the raster into the folder; returns its path.
inline std::string makeRaster(const TestFolder &f, const Raster &r) {
  const auto value = [&r](int x, int y) {
    const int hole = r.hole(x, y);
    return hole == 1 ? *r.noData : hole == 2 ? std::numeric_limits<double>::quiet_NaN() : r.e(x, y);
  };
  if (r.name.ends_with(".asc")) {
    std::string text = "ncols " + std::to_string(r.w) + "\nnrows " + std::to_string(r.h) +
                       "\nxllcorner 0\nyllcorner 0\ncellsize " + std::to_string(r.transform[1]) +
                       "\nNODATA_value " + std::to_string(r.noData.value_or(-9999)) + "\n";
    char cell[32];
    for (int k = 0; k < r.w * r.h; ++k)
      text += std::string(cell, std::snprintf(cell, sizeof cell, "%.9g%c", value(k % r.w, k / r.w),
                                              k % r.w + 1 == r.w ? '\n' : ' '));
    return f.write(r.name, text);
  }
  GDALRegister_GTiff();
  const std::string path = f.file(r.name);
  GDALDatasetH ds =
      GDALCreate(GDALGetDriverByName("GTiff"), path.c_str(), r.w, r.h, r.bands, r.type, nullptr);
  GDALSetGeoTransform(ds, const_cast<double *>(r.transform.data()));
  if (r.epsg != 0) {
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(srs, r.epsg);
    GDALSetSpatialRef(ds, srs);
    OSRDestroySpatialReference(srs);
  }
  GDALRasterBandH band = GDALGetRasterBand(ds, 1);
  if (r.noData)
    GDALSetRasterNoDataValue(band, *r.noData);
  std::vector<double> cells;
  for (int k = 0; k < r.w * r.h; ++k)
    cells.push_back(value(k % r.w, k / r.w));
  EXPECT_EQ(GDALRasterIO(band, GF_Write, 0, 0, r.w, r.h, cells.data(), r.w, r.h, GDT_Float64, 0, 0),
            CE_None);
  GDALClose(ds);
  return path;
}

// One of each kind: integer and floating point, projected, geographic and
// none, voids of both kinds, below sea level, two bands, an ESRI ASCII grid.
inline std::vector<Raster> rasters() {
  const double lat = 46.01 - 0.001 * 5;
  return {
      {.name = "int16_utm.tif",
       .type = GDT_Int16,
       .epsg = 32633,
       .e = [](int x, int y) { return 100 + 37 * x + 11 * y * y; },
       .bands = 2},
      {.name = "float_geographic.tif",
       .epsg = 4326,
       .e = [](int x, int y) { return 250.25 + 3.5 * x - 2.125 * y + 0.0625 * x * y; },
       .transform = {10, 0.001, 0, 46.01, 0, -0.001},
       .pixel = {0.001 * 111320 * std::cos(lat * 3.14159265358979323846 / 180), 110.574}},
      {.name = "voids_sea.tif",
       .e = [](int x, int y) { return -40 + 6.5 * x + 2.5 * y; },
       .hole = [](int x, int y) { return (x * y) % 7 == 3   ? 1
                                         : x == 5 && y == 5 ? 2
                                                            : 0; },
       .noData = -9999,
       .transform = {0, 2, 0, 0, 0, -2},
       .cellSize = 5,
       .pixel = {5, 5}},
      {.name = "below_sea.asc",
       .e = [](int x, int y) { return -120.5 + x - 3.25 * y; },
       .hole = [](int x, int y) { return x == 7 && y == 2 ? 1 : 0; },
       .noData = -9999,
       .transform = {0, 25, 0, 0, 0, -25},
       .pixel = {25, 25}},
  };
}

} // namespace hs::test
