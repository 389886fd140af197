#pragma once

#include "core/Document.h"
#include "core/LRMemoryDC.h"
#include "io/Exporter.h"
#include "terrain/HeightField.h"
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
  std::vector<Area> areas;
  std::string mapNotice; // the map was found beside the file, not where it names
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
// room for them, so that applying it cannot run out of memory. The map's name
// is found as nameReadFrom finds it (mapNotice says when it fell back).
// Returns 0..4 or 7; the document's objects stay as they were either way.
int readPlaceDataFile(Document &document, const std::string &fileName, PlaceData &data);

// A place data file read for "Open.Data" with its map, not yet applied.
struct PlaceDataOpen {
  PlaceData data;
  LRMemoryDC map;         // the map data.hfFileName names, once read
  int mapType = 0;        // the type it was read as
  int mapResult = Loaded; // the height-field reader's result
};

// Reads the map open.data names (as what the map file's own first bytes say,
// else as the file's type) into open.map. Touches no document, so it may run
// anywhere, with progress as readHeightFieldFile takes it. Returns 0, or 5 for
// a 16-bit type and 6 for the others, with open.mapResult saying why
// (LoadCancelled when progress stopped it).
int readPlaceDataMap(PlaceDataOpen &open, const Palette &pal, const ProgressReport &progress = {});

// Makes the read map the document's (by default commitHeightField; a view
// passes one that also shows it, and returns Loaded or why not), then empties
// the object lists and applies the file; positions are neither rescaled nor
// re-sampled. Returns 0, or 5/6 when commit refused the map, with the
// document exactly as it was.
using MapCommit = std::function<int(LRMemoryDC &&image)>;
int commitPlaceDataOpen(Document &document, PlaceDataOpen &open, const MapCommit &commit = {});

// "Open.Data" on a document, all or nothing: readPlaceDataFile,
// readPlaceDataMap, commitPlaceDataOpen. Returns 0..7; after any result but 0
// the document is exactly as it was. open, when given, keeps what was read.
int openPlaceData(Document &document, const Palette &pal, const std::string &fileName,
                  const MapCommit &commit = {}, PlaceDataOpen *open = nullptr);

// The notice for an open's result: placeDataMessage, and for 5 and 6 the
// map's name and why it could not be read, each on a line of its own.
std::string placeDataOpenMessage(int result, const PlaceDataOpen &open);

// Writes the place data file text as the file namingFile ("" for none), which
// names its map as nameWrittenIn says; 0, or 1 when the device refuses a write
// or the height-field name could not be read back (it holds a line end).
int savePlaceData(const Document &document, QIODevice &device, const std::string &namingFile = {});

// The place data file as an exporter ("Save.Data", hillstrew-scatter).
class PlaceDataExporter final : public Exporter {
public:
  const char *name() const override { return "place data file"; }
  std::span<const char *const> filters() const override { return kFilters; }
  bool writeText(const Document &document, QIODevice &device,
                 const std::string &namingFile) const override {
    return savePlaceData(document, device, namingFile) == 0;
  }

private:
  static constexpr const char *kFilters[] = {"*.txt", "*"};
};

} // namespace hs
