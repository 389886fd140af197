#include "elevation/DemImport.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gdal.h>
#include <gdal_frmts.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace hs {
namespace {

constexpr int kSide = 8192;

// An 8192 x 8192 Float32 GeoTIFF of rolling hills, made once.
struct BigDem {
  QTemporaryDir dir;
  std::string path = dir.filePath("dem.tif").toStdString();
  BigDem() {
    GDALRegister_GTiff();
    GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GTiff"), path.c_str(), kSide, kSide, 1,
                                 GDT_Float32, nullptr);
    std::vector<float> row(kSide);
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x)
        row[static_cast<std::size_t>(x)] =
            static_cast<float>(400 + 300 * std::sin(x / 300.0) * std::cos(y / 500.0) + x % 7);
      if (GDALRasterIO(GDALGetRasterBand(ds, 1), GF_Write, 0, y, kSide, 1, row.data(), kSide, 1,
                       GDT_Float32, 0, 0) != CE_None)
        break;
    }
    GDALClose(ds);
  }
};

BigDem &bigDem() {
  static BigDem d;
  return d;
}

// Baseline: GDAL reads the band, Qt writes the same 16-bit PNG at its default level.
void BM_GdalReadPngWrite8192(benchmark::State &state) {
  BigDem &d = bigDem();
  ElevationMap map;
  std::string message;
  readElevationModel(d.path, {}, map, message);
  std::vector<float> band(static_cast<std::size_t>(kSide) * kSide);
  for (auto _ : state) {
    GDALDatasetH ds = GDALOpen(d.path.c_str(), GA_ReadOnly);
    benchmark::DoNotOptimize(GDALRasterIO(GDALGetRasterBand(ds, 1), GF_Read, 0, 0, kSide, kSide,
                                          band.data(), kSide, kSide, GDT_Float32, 0, 0));
    GDALClose(ds);
    const QImage image(reinterpret_cast<const uchar *>(map.levels.data()), kSide, kSide, kSide * 2,
                       QImage::Format_Grayscale16);
    QImageWriter(d.dir.filePath("baseline.png"), "png").write(image);
  }
}
BENCHMARK(BM_GdalReadPngWrite8192)->Unit(benchmark::kMillisecond);

// Target at most 1.3x the baseline.
void BM_ImportDem8192(benchmark::State &state) {
  BigDem &d = bigDem();
  const std::string out = d.dir.filePath("dem.hf.png").toStdString();
  for (auto _ : state) {
    ElevationMap map;
    std::string message;
    if (importElevationModel(d.path, out, {}, map, message) != ElevationImported)
      state.SkipWithError(message.c_str());
  }
}
BENCHMARK(BM_ImportDem8192)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
