#pragma once

#include "core/AtomicSave.h"
#include "core/Document.h"
#include "core/LRMemoryDC.h"
#include "core/ProgressInput.h"
#include "elevation/Elevation.h"

#include <cstdint>
#include <string>
#include <vector>

class QIODevice;

namespace hs {

// What an import may be asked.
struct DemOptions {
  int size = 0;          // the longer side wanted, never above the source's (0: as it is)
  double cellSize = 0.0; // a pixel's side in metres, over what the source says (0: none)
};

// An elevation model made into a 16-bit height field at true scale.
struct ElevationMap {
  int width = 0;
  int height = 0;
  ElevationRange range;
  double pixelWidth = 0.0; // metres, after any resample
  double pixelHeight = 0.0;
  TrueScale scale;
  float waterLevel = 0.0f; // the level of sea level, or 0 when it is out of range
  long long voidsFilled = 0;
  int bands = 1;
  std::vector<std::uint16_t> levels;    // row by row from the north-west corner
  std::vector<std::string> sourceFiles; // every file the model was read from
};

enum ElevationResult {
  ElevationImported = 0,
  ElevationCannotOpen = 1, // not a file of an elevation format, or unreadable
  ElevationRefused = 2,    // read, but not importable (rotated, flat, too large...)
  ElevationCancelled = 3,  // progress asked to stop; nothing was written
  ElevationCannotWrite = 4,
};

// The formats an import reads, for choosers, help and messages.
inline constexpr const char *kElevationFormats =
    "GeoTIFF (.tif .tiff), SRTM (.hgt), ESRI ASCII grid (.asc), ESRI .bil/.flt, USGS DEM "
    "(.dem), Erdas Imagine (.img)";
inline constexpr const char *kElevationFilter =
    "Elevation models (*.tif *.tiff *.hgt *.asc *.bil *.flt *.dem *.img)";

// Reads band 1 of the elevation model path through GDAL (only the elevation
// drivers, nothing written beside the file), resamples it as options ask,
// fills its voids and makes its levels, pixel size, true scale and water
// level. On anything but ElevationImported, message says why.
int readElevationModel(const std::string &path, const DemOptions &options, ElevationMap &map,
                       std::string &message, const ProgressReport &progress = {});

// The notice after an import: the number of voids filled ("1,234 void cells
// filled") and, for a raster of several bands, which one was used.
std::string elevationNotice(const ElevationMap &map);

// Writes the levels as a 16-bit grey PNG; false when a write fails.
bool writeHeightPng(QIODevice &device, const ElevationMap &map);

// The PNG's name beside the model: "dem.tif" gives "dem.hf.png".
std::string heightPngNameFor(const std::string &demPath);

// Reads the model and saves its PNG as pngPath through the atomic save,
// refusing a pngPath that is one of the model's own files.
int importElevationModel(const std::string &path, const std::string &pngPath,
                         const DemOptions &options, ElevationMap &map, std::string &message,
                         const ProgressReport &progress = {});

// The map pixels of the levels (as a 16-bit map stores them); a null image
// when there is no memory for it.
LRMemoryDC heightMapOf(const ElevationMap &map);

// What follows making the image the document's map: the written PNG becomes
// its height field, the camera, the look-at point and the objects are fitted
// to the new size as a new map's, and scale and water are set true.
void applyElevationMap(Document &document, const ElevationMap &map, const std::string &pngPath);

} // namespace hs
