#pragma once

#include "core/Document.h"
#include "io/Exporter.h"
#include "terrain/Palette.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class QIODevice;

namespace hs {

// Result codes of loading and opening; each has its notice text (placeDataMessage).
enum PlaceDataResult {
  PlaceDataOk = 0,
  PlaceDataCannotOpen = 1,
  PlaceDataBadLookAt = 2,
  PlaceDataBadHeader = 3, // camera, name, scale or water line
  PlaceDataBadObject = 4,
  PlaceDataPpmFailed = 5,
  PlaceDataTargaFailed = 6,
  PlaceDataNoMemory = 7, // the file's objects do not fit in memory
};

// Notice text of a result 1..7 ("" for 0 or anything else).
const char *placeDataMessage(int result);
// Notice shown when saving fails: the same text as for a file that cannot be opened.
inline constexpr const char *kSaveDataMessage = "Load DAT file ERROR";

// Everything a place data file holds, parsed but not yet applied to a scene.
struct PlaceData {
  ScItem camera;
  ScItem lookAt;
  std::string hfFileName;
  float scaleX = 0, scaleY = 0, scaleZ = 0;
  float waterLevel = 0;
  int smoothOn = 0;
  int hfType = 0;
  std::array<std::vector<ScItem>, kObjectTypes> objects;
  long long objectCount = 0;
};

// Parses a place data file. At most maxObjects objects are taken; more give
// result 4. Returns 0, 2..4, or 7 when memory runs out; data is complete only
// after 0.
int readPlaceData(QIODevice &device, PlaceData &data, long long maxObjects);

// Applies parsed data: camera, look-at point, scale, water level, type and
// smoothing flag are set, the height-field name taken, and the objects appended
// to the lists of their types.
void applyPlaceData(const PlaceData &data, Document &document);

// Parses fileName and, only when the whole file is good, applies it to the
// document (objects are appended to what the lists hold). Returns 0..4 or 7;
// after a non-zero result the document is exactly as it was.
int loadPlaceData(Document &document, const std::string &fileName);

// Parses fileName into data for replacing the document's objects, and makes
// room for them, so that applying it cannot run out of memory. Returns 0..4 or
// 7; the document's objects stay as they were either way.
int readPlaceDataFile(Document &document, const std::string &fileName, PlaceData &data);

// "Open.Data" on a document: parses fileName and, when it is good, empties
// the object lists, applies the file and reads its height field (as what the
// map file's own first bytes say, else as the file's type; positions are
// neither rescaled nor re-sampled), which commit makes the document's map
// (by default commitHeightField; a view passes one that also shows it, and
// returns Loaded or why not). Returns 0..7. After 1..4 and 7 the document is
// exactly as it was; after 5 or 6 the placement is in the document and the map
// is the one loaded before.
using MapCommit = std::function<int(LRMemoryDC &&image)>;
int openPlaceData(Document &document, const Palette &pal, const std::string &fileName,
                  const MapCommit &commit = {});

// Writes the place data file text; 0, or 1 when the device refuses a write or
// the height-field name could not be read back (it holds a line end).
int savePlaceData(const Document &document, QIODevice &device);

// The place data file as an exporter ("Save.Data", hillstrew-scatter).
class PlaceDataExporter final : public Exporter {
public:
  const char *name() const override { return "place data file"; }
  std::span<const char *const> filters() const override { return kFilters; }
  bool writeText(const Document &document, QIODevice &device) const override {
    return savePlaceData(document, device) == 0;
  }

private:
  static constexpr const char *kFilters[] = {"*.txt", "*"};
};

} // namespace hs
