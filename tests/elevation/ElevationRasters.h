// Small elevation rasters made in the tests, through GDAL's own API or as text.
#pragma once

#include "support/TestFiles.h"

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
  double cellSize = 0; // asked for instead of the raster's
  double pixelWidth = 30, pixelHeight = 30;

  // The elevation at (x, y) as stored, NaN in a void.
  double at(int x, int y) const {
    return hole(x, y) != 0 ? std::numeric_limits<double>::quiet_NaN()
                           : static_cast<double>(static_cast<float>(e(x, y)));
  }
  double lo() const { return extreme(-1); }
  double hi() const { return extreme(1); }
  long long voids() const {
    long long n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        n += hole(x, y) != 0 ? 1 : 0;
    return n;
  }

private:
  double extreme(int sign) const {
    double best = std::numeric_limits<double>::quiet_NaN();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (!std::isnan(at(x, y)) && !(sign * at(x, y) <= sign * best))
          best = at(x, y);
    return best;
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
    for (int y = 0; y < r.h; ++y)
      for (int x = 0; x < r.w; ++x) {
        std::snprintf(cell, sizeof cell, "%.9g%c", value(x, y), x + 1 == r.w ? '\n' : ' ');
        text += cell;
      }
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
  std::vector<double> row(static_cast<std::size_t>(r.w));
  for (int y = 0; y < r.h; ++y) {
    for (int x = 0; x < r.w; ++x)
      row[static_cast<std::size_t>(x)] = value(x, y);
    if (GDALRasterIO(band, GF_Write, 0, y, r.w, 1, row.data(), r.w, 1, GDT_Float64, 0, 0) !=
        CE_None)
      break;
  }
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
       .e = [](int x, int y) { return 100 + 37 * x + 11 * y * y; }},
      {.name = "float_geographic.tif",
       .epsg = 4326,
       .e = [](int x, int y) { return 250.25 + 3.5 * x - 2.125 * y + 0.0625 * x * y; },
       .transform = {10, 0.001, 0, 46.01, 0, -0.001},
       .pixelWidth = 0.001 * 111320 * std::cos(lat * 3.14159265358979323846 / 180),
       .pixelHeight = 0.001 * 110574},
      {.name = "voids_sea.tif",
       .e = [](int x, int y) { return -40 + 6.5 * x + 2.5 * y; },
       .hole = [](int x, int y) { return (x * y) % 7 == 3   ? 1
                                         : x == 5 && y == 5 ? 2
                                                            : 0; },
       .noData = -9999,
       .transform = {0, 2, 0, 0, 0, -2},
       .cellSize = 5,
       .pixelWidth = 5,
       .pixelHeight = 5},
      {.name = "below_sea.asc",
       .e = [](int x, int y) { return -120.5 + x - 3.25 * y; },
       .hole = [](int x, int y) { return x == 7 && y == 2 ? 1 : 0; },
       .noData = -9999,
       .transform = {0, 25, 0, 0, 0, -25},
       .pixelWidth = 25,
       .pixelHeight = 25},
      {.name = "two_bands.tif", .type = GDT_Int16, .epsg = 32633, .bands = 2},
  };
}

} // namespace hs::test
