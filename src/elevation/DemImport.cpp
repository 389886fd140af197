#include "elevation/DemImport.h"

#include "core/InputFile.h"
#include "core/QtPaths.h"
#include "terrain/Height.h"
#include "terrain/HeightField.h"
#include "terrain/HeightFieldRead.h"

#include <QImage>
#include <QImageWriter>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal.h>
#include <gdal_frmts.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <mutex>
#include <new>
#include <numbers>

namespace hs {

namespace {

constexpr std::array<const char *, 7> kDrivers = {"GTiff",   "SRTMHGT", "AAIGrid", "EHdr",
                                                  "USGSDEM", "HFA",     nullptr};

// Only the elevation drivers, and nothing written beside a file read: no
// .aux.xml, no overviews.
void registerDrivers() {
  static std::once_flag once;
  std::call_once(once, [] {
    CPLSetConfigOption("GDAL_PAM_ENABLED", "NO");
    GDALRegister_GTiff();
    GDALRegister_SRTMHGT();
    GDALRegister_AAIGrid();
    GDALRegister_EHdr();
    GDALRegister_USGSDEM();
    GDALRegister_HFA();
  });
}

// GDAL's messages go to the notice, never to standard error.
struct QuietErrors {
  QuietErrors() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~QuietErrors() { CPLPopErrorHandler(); }
  QuietErrors(const QuietErrors &) = delete;
  QuietErrors &operator=(const QuietErrors &) = delete;
};

struct CloseDataset {
  void operator()(GDALDatasetH ds) const { GDALClose(ds); }
};
using Dataset = std::unique_ptr<std::remove_pointer_t<GDALDatasetH>, CloseDataset>;

std::string withThousands(long long n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t k = 0; k < digits.size(); ++k) {
    if (k > 0 && (digits.size() - k) % 3 == 0)
      out += ',';
    out += digits[k];
  }
  return out;
}

// A pixel's width and height in metres, from the geotransform and the
// coordinate system: degrees at the centre latitude, projected units as
// metres, and no system at all as metres.
void pixelSize(GDALDatasetH ds, const double *gt, int height, ElevationMap &map) {
  map.pixelWidth = std::abs(gt[1]);
  map.pixelHeight = std::abs(gt[5]);
  const OGRSpatialReferenceH srs = GDALGetSpatialRef(ds);
  if (srs == nullptr)
    return;
  if (OSRIsGeographic(srs) != 0) {
    const double degrees = OSRGetAngularUnits(srs, nullptr) * 180.0 / std::numbers::pi;
    const double latitude = (gt[3] + gt[5] * height / 2.0) * degrees;
    map.pixelWidth *= degrees * metresPerDegreeEast(latitude);
    map.pixelHeight *= degrees * kMetresPerDegreeNorth;
  } else if (OSRIsProjected(srs) != 0) {
    const double metres = OSRGetLinearUnits(srs, nullptr);
    map.pixelWidth *= metres;
    map.pixelHeight *= metres;
  }
}

// Reads band 1 in strips into grid, or through resampler when given, north
// row first; voids become NaN. False when progress stopped it or a read failed.
bool readBand(GDALRasterBandH band, bool flipX, bool flipY, AreaResampler *resampler,
              ElevationGrid &grid, const ProgressReport &progress, std::string &message) {
  const int w = GDALGetRasterBandXSize(band), h = GDALGetRasterBandYSize(band);
  int hasNoData = 0;
  const double noData = GDALGetRasterNoDataValue(band, &hasNoData);
  const auto noDataCell = static_cast<float>(noData);
  const bool checkNoData = hasNoData != 0 && std::isfinite(noData);
  const int strip = std::max(1, std::min(h, (1 << 22) / w));
  std::vector<float> buffer(static_cast<std::size_t>(w) * static_cast<std::size_t>(strip));
  if (resampler == nullptr)
    grid = {w, h, std::vector<float>(static_cast<std::size_t>(w) * static_cast<std::size_t>(h))};
  for (int r = 0; r < h; r += strip) {
    const int n = std::min(strip, h - r);
    if (progress && !progress(0.6 * r / h))
      return false;
    if (GDALRasterIO(band, GF_Read, 0, flipY ? h - r - n : r, w, n, buffer.data(), w, n,
                     GDT_Float32, 0, 0) != CE_None) {
      message = "cannot be read: " + std::string(CPLGetLastErrorMsg());
      return false;
    }
    for (int i = 0; i < n; ++i) {
      float *row = buffer.data() + static_cast<std::size_t>(flipY ? n - 1 - i : i) * w;
      for (int x = 0; x < w; ++x)
        if (!std::isfinite(row[x]) || (checkNoData && row[x] == noDataCell))
          row[x] = std::numeric_limits<float>::quiet_NaN();
      if (flipX)
        std::reverse(row, row + w);
      if (resampler != nullptr)
        resampler->addRow(r + i, row);
      else
        std::copy(row, row + w, grid.cells.begin() + static_cast<std::ptrdiff_t>(r + i) * w);
    }
  }
  if (resampler != nullptr)
    grid = resampler->take();
  return true;
}

// Why a raster of this geotransform and size cannot be imported as out.
int refusal(const std::array<double, 6> &gt, int w, int h, const GridSize &out,
            std::string &message) {
  if (gt[2] != 0.0 || gt[4] != 0.0) {
    message = "is rotated or sheared; only rasters with north up can be imported";
    return ElevationRefused;
  }
  if (!(std::abs(gt[1]) > 0.0 && std::abs(gt[5]) > 0.0 && std::isfinite(gt[1] * gt[5]))) {
    message = "has no usable cell size";
    return ElevationRefused;
  }
  if (w < 2 || h < 2) {
    message = "has fewer than 2 cells on a side";
    return ElevationRefused;
  }
  if (std::max(out.width, out.height) > kMaxMapSide) {
    message = "is " + std::to_string(w) + " x " + std::to_string(h) +
              " cells, larger than 16,384 on a side; give a size (--size, or \"Longest side\" in "
              "the window's import) of at most 16,384";
    return ElevationRefused;
  }
  return ElevationImported;
}

// Fills the read grid's voids and makes its levels, scale and water.
int finish(ElevationGrid &grid, ElevationMap &map, std::string &message,
           const ProgressReport &progress) {
  const std::optional<ElevationRange> range = elevationRange(grid);
  if (!range) {
    message = "has no valid elevation";
    return ElevationRefused;
  }
  if (!(range->hi > range->lo)) {
    message = "is flat: every valid cell is at the same elevation";
    return ElevationRefused;
  }
  if (progress && !progress(0.7))
    return ElevationCancelled;
  map.voidsFilled = fillVoids(grid, *range);
  map.width = grid.width;
  map.height = grid.height;
  map.range = *range;
  map.levels = levelsOf(grid, *range);
  map.scale = trueScale(map.width, map.height, map.pixelWidth, map.pixelHeight, *range);
  map.waterLevel = seaLevelOf(*range);
  return ElevationImported;
}

int readModel(const std::string &path, const DemOptions &options, ElevationMap &map,
              std::string &message, const ProgressReport &progress) {
  std::error_code ec;
  if (!isUtf8Name(path) || path.starts_with("/vsi") ||
      !std::filesystem::is_regular_file(path, ec)) {
    message = isIrregularFile(path) ? "is not a regular file" : "cannot be opened";
    return ElevationCannotOpen;
  }
  registerDrivers();
  const QuietErrors quiet;
  const Dataset ds(GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, kDrivers.data(),
                              nullptr, nullptr));
  if (!ds || GDALGetRasterCount(ds.get()) < 1) {
    message = std::string("is not an elevation model Hillstrew reads: ") + kElevationFormats;
    return ElevationCannotOpen;
  }
  map.sourceFiles.clear();
  char **files = GDALGetFileList(ds.get());
  for (char **f = files; f != nullptr && *f != nullptr; ++f)
    map.sourceFiles.emplace_back(*f);
  CSLDestroy(files);
  map.bands = GDALGetRasterCount(ds.get());
  const int w = GDALGetRasterXSize(ds.get()), h = GDALGetRasterYSize(ds.get());
  std::array<double, 6> gt = {0, 1, 0, 0, 0, 1};
  const bool placed = GDALGetGeoTransform(ds.get(), gt.data()) == CE_None;
  const GridSize out = resampledSize(w, h, options.size);
  if (const int refused = refusal(gt, w, h, out, message); refused != ElevationImported)
    return refused;
  pixelSize(ds.get(), gt.data(), h, map);
  if (options.cellSize > 0.0)
    map.pixelWidth = map.pixelHeight = options.cellSize;
  map.pixelWidth *= static_cast<double>(w) / out.width;
  map.pixelHeight *= static_cast<double>(h) / out.height;

  ElevationGrid grid;
  std::optional<AreaResampler> resampler;
  if (out.width != w || out.height != h)
    resampler.emplace(w, h, out.width, out.height);
  if (!readBand(GDALGetRasterBand(ds.get(), 1), gt[1] < 0, placed && gt[5] > 0,
                resampler ? &*resampler : nullptr, grid, progress, message))
    return message.empty() ? ElevationCancelled : ElevationCannotOpen;

  return finish(grid, map, message, progress);
}

} // namespace

int readElevationModel(const std::string &path, const DemOptions &options, ElevationMap &map,
                       std::string &message, const ProgressReport &progress) {
  message.clear();
  try {
    return readModel(path, options, map, message, progress);
  } catch (const std::bad_alloc &) {
    message = "does not fit in memory";
    return ElevationRefused;
  }
}

std::string elevationNotice(const ElevationMap &map) {
  std::string notice = withThousands(map.voidsFilled) +
                       (map.voidsFilled == 1 ? " void cell filled" : " void cells filled");
  if (map.bands > 1)
    notice += "\nBand 1 of " + std::to_string(map.bands) + " used";
  return notice;
}

bool writeHeightPng(QIODevice &device, const ElevationMap &map) {
  // Over the levels themselves: no copy of a map that may be half a gigabyte.
  const QImage image(reinterpret_cast<const uchar *>(map.levels.data()), map.width, map.height,
                     static_cast<qsizetype>(map.width) * 2, QImage::Format_Grayscale16);
  QImageWriter writer(&device, "png");
  return writer.write(image);
}

std::string heightPngNameFor(const std::string &demPath) {
  std::filesystem::path p(demPath);
  return p.replace_extension(".hf.png").string();
}

int importElevationModel(const std::string &path, const std::string &pngPath,
                         const DemOptions &options, ElevationMap &map, std::string &message,
                         const ProgressReport &progress) {
  if (const SaveResult may = mayReplace(pngPath); !may) {
    message = may.why(pngPath);
    return ElevationCannotWrite;
  }
  const int read = readElevationModel(path, options, map, message, progress);
  if (read != ElevationImported)
    return read;
  for (const std::string &source : map.sourceFiles)
    if (std::error_code ec; std::filesystem::equivalent(source, pngPath, ec)) {
      message = pngPath + " is a file of the model read; nothing was written";
      return ElevationCannotWrite;
    }
  if (progress && !progress(0.8))
    return ElevationCancelled;
  const SaveResult saved =
      saveAtomically(pngPath, [&map](QIODevice &device) { return writeHeightPng(device, map); });
  if (!saved) {
    message =
        saved.status == SaveStatus::Failed ? pngPath + ": cannot be written" : saved.why(pngPath);
    return ElevationCannotWrite;
  }
  return ElevationImported;
}

LRMemoryDC heightMapOf(const ElevationMap &map) {
  LRMemoryDC image(map.width, map.height);
  if (image.isNull())
    return image;
  for (int y = 0; y < map.height; ++y) {
    std::uint32_t *row = image.rowPixels(y);
    const std::uint16_t *levels = map.levels.data() + static_cast<std::size_t>(y) * map.width;
    for (int x = 0; x < map.width; ++x)
      row[x] = height_field_read::levelPixel(levels[x]);
  }
  return image;
}

void applyElevationMap(Document &document, const ElevationMap &map, const std::string &pngPath) {
  std::error_code ec;
  document.setHfFileName(std::filesystem::absolute(pngPath, ec).lexically_normal().string());
  document.setHfFileType(PngMap);
  document.setHfType(PngMap);
  rescaleToMap(document);
  document.setScale(static_cast<float>(map.scale.x), static_cast<float>(map.scale.y),
                    static_cast<float>(map.scale.z));
  document.setWaterLevel(map.waterLevel);
}

} // namespace hs
