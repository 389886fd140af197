#include "io/PlaceData.h"

#include "core/InputFile.h"
#include "core/LineReader.h"
#include "core/Names.h"
#include "core/QtPaths.h"
#include "core/RelativeNames.h"
#include "core/ScanLine.h"
#include "core/TextOut.h"
#include "io/AreaText.h"
#include "terrain/HeightField.h"
#include "terrain/HeightFieldFormats.h"

#include <QFile>

#include <cstdint>
#include <limits>
#include <new>

namespace hs {

namespace {

// The camera and look-at lines: five numbers, then a label.
bool readItem(LineReader &reader, ScItem &item) {
  std::string_view line;
  if (reader.next(line) != LineReader::Line)
    return false;
  Scanned v[5];
  if (scanLine(line, LineFormat::Item, v) < 5)
    return false;
  item = ScItem{v[0].f, v[1].f, v[2].f, v[3].i, v[4].f};
  return true;
}

// An object line: five numbers, then the turn and the size when the object
// has its own. Anything else after the five (a label, one number, a size that
// is no size) leaves the defaults, as every older file has them.
bool readObject(LineReader &reader, ScItem &item) {
  std::string_view line;
  if (reader.next(line) != LineReader::Line)
    return false;
  Scanned v[7];
  const int n = scanLine(line, LineFormat::Object, v);
  if (n < 5)
    return false;
  item = ScItem{v[0].f, v[1].f, v[2].f, v[3].i, v[4].f};
  if (n == 7 && isValidSize(v[6].f)) {
    item.turn = v[5].f;
    item.size = v[6].f;
  }
  return true;
}

void writeItem(TextOut &out, const ScItem &item) {
  out.fixed(item.x).ch(',').fixed(item.y).ch(',').fixed(item.z).ch(',');
  out.integer(item.heightMode).ch(',').fixed(item.height);
}

// Objects with the default turn and size are written as five numbers, so a
// file without turns and sizes is exactly what older versions wrote.
void writeObject(TextOut &out, const ScItem &item) {
  writeItem(out, item);
  if (!item.hasDefaultTurnAndSize())
    out.ch(',').fixed(item.turn).ch(',').fixed(item.size);
}

} // namespace

const char *placeDataMessage(int result) {
  switch (result) {
  case PlaceDataCannotOpen:
    return "Load DAT file ERROR";
  case PlaceDataBadLookAt:
    return "Load DAT Data2 ERROR";
  case PlaceDataBadHeader:
    return "Load DAT Data3 ERROR";
  case PlaceDataBadObject:
    return "Load DAT Data4 ERROR";
  case PlaceDataPpmFailed:
    return "Load DAT Data5 ERROR";
  case PlaceDataTargaFailed:
    return "Load DAT Data6 ERROR";
  case PlaceDataNoMemory:
    return "Not enough memory for the objects of this file.\nThe scene stays as it was.";
  default:
    return "";
  }
}

namespace {

// Room for the most objects a scene holds, each on a line with a long label.
constexpr long long kPlaceDataReadLimit = 4LL << 30;

// What follows the objects, from line on: lines that each start with a word
// (older versions stop reading at the blank line before them). A word this
// version does not know is passed over.
int readExtras(LineReader &reader, std::string_view line, PlaceData &data) {
  for (;;) {
    if (line.starts_with("Area ")) {
      Area area;
      if (!readAreaLine(line, area))
        return PlaceDataBadObject;
      data.areas.push_back(std::move(area));
    }
    const LineReader::Result r = reader.next(line);
    if (r != LineReader::Line)
      return r == LineReader::End ? PlaceDataOk : PlaceDataBadObject;
  }
}

int parsePlaceData(QIODevice &device, PlaceData &data, long long maxObjects) {
  LineReader reader(device, kPlaceDataReadLimit);
  std::string_view line;
  Scanned v[5];

  if (!readItem(reader, data.camera))
    return PlaceDataBadHeader;
  if (!readItem(reader, data.lookAt))
    return PlaceDataBadLookAt;
  // The name is taken up to a zero byte, as a C string would end there.
  if (reader.next(line) != LineReader::Line)
    return PlaceDataBadHeader;
  data.hfFileName.assign(line.substr(0, line.find('\0')));

  if (reader.next(line) != LineReader::Line || scanLine(line, LineFormat::Floats3, v) < 3)
    return PlaceDataBadHeader;
  data.scaleX = v[0].f;
  data.scaleY = v[1].f;
  data.scaleZ = v[2].f;
  if (reader.next(line) != LineReader::Line || scanLine(line, LineFormat::WaterLine, v) < 3)
    return PlaceDataBadHeader;
  data.waterLevel = v[0].f;
  data.smoothOn = v[1].i;
  data.hfType = v[2].i;

  for (int section = 0; section < kObjectTypes; ++section) {
    const LineReader::Result r = reader.next(line);
    if (r == LineReader::TooLong)
      return PlaceDataBadObject;
    // Anything but a "type,count" header ends the objects.
    if (r == LineReader::End)
      return PlaceDataOk;
    if (scanLine(line, LineFormat::Header, v) < 2)
      return readExtras(reader, line, data);
    const int type = v[0].i;
    const int count = v[1].i;
    if (type < 1 || type > kObjectTypes)
      return PlaceDataBadObject;
    std::vector<ScItem> &list = data.objects[static_cast<std::size_t>(type - 1)];
    for (int k = 0; k < count; ++k) {
      ScItem item;
      if (!readObject(reader, item) || data.objectCount >= maxObjects)
        return PlaceDataBadObject;
      list.push_back(item);
      ++data.objectCount;
    }
  }
  return reader.next(line) == LineReader::Line ? readExtras(reader, line, data) : PlaceDataOk;
}

// Makes room in the scene's lists for data's objects on top of what they hold
// (keeping nothing when replacing), so applying it cannot run out of memory.
bool makeRoom(Document &document, const PlaceData &data, bool replacing) {
  for (std::size_t t = 0; t < document.objects().size(); ++t) {
    const long long held = replacing ? 0 : document.objects()[t].count();
    const long long needed = held + static_cast<long long>(data.objects[t].size());
    if (needed > std::numeric_limits<std::int32_t>::max() ||
        !document.reserve(static_cast<int>(t), static_cast<std::int32_t>(needed)))
      return false;
  }
  return true;
}

} // namespace

int readPlaceData(QIODevice &device, PlaceData &data, long long maxObjects) {
  try {
    return parsePlaceData(device, data, maxObjects);
  } catch (const std::bad_alloc &) {
    data = PlaceData();
    return PlaceDataNoMemory;
  }
}

void applyPlaceData(const PlaceData &data, Document &document) {
  document.setCamera(data.camera);
  document.setLookAt(data.lookAt);
  document.setHfFileName(data.hfFileName);
  document.setScale(data.scaleX, data.scaleY, data.scaleZ);
  document.setWaterLevel(data.waterLevel);
  document.setHfType(data.hfType);
  document.setSmoothOn(data.smoothOn);
  // Both records name the type of the height field the file belongs to.
  document.setHfFileType(data.hfType);
  document.setAreas(data.areas);
  for (int t = 0; t < kObjectTypes; ++t)
    for (const ScItem &item : data.objects[static_cast<std::size_t>(t)])
      document.append(t, item);
}

namespace {
// Reads fileName (only a regular file with a UTF-8 name: Qt would name some
// other file for any other name, and a device or a FIFO would never end or
// never start) and makes room for its objects, replacing the lists' records
// or on top of them.
int readForDocument(Document &document, const std::string &fileName, PlaceData &data,
                    bool replacing) {
  QFile file;
  if (!isUtf8Name(fileName) || !openInputFile(fileName, file))
    return PlaceDataCannotOpen;
  const ItemBudget &budget = document.budget();
  const int result =
      readPlaceData(file, data, replacing ? budget.limit : budget.limit - budget.used);
  if (result != PlaceDataOk)
    return result;
  FoundName map = nameReadFrom(data.hfFileName, fileName);
  data.hfFileName = std::move(map.name);
  data.mapNotice = std::move(map.notice);
  return makeRoom(document, data, replacing) ? PlaceDataOk : PlaceDataNoMemory;
}
} // namespace

int loadPlaceData(Document &document, const std::string &fileName) {
  PlaceData data;
  const int result = readForDocument(document, fileName, data, false);
  if (result == PlaceDataOk)
    applyPlaceData(data, document);
  return result;
}

int readPlaceDataFile(Document &document, const std::string &fileName, PlaceData &data) {
  return readForDocument(document, fileName, data, true);
}

int readPlaceDataMap(PlaceDataOpen &open, const Palette &pal, const ProgressReport &progress) {
  // The map is read as what its own first bytes say, so a file whose type
  // field was edited by hand still opens; the type follows the map read.
  const PlaceData &data = open.data;
  const int found = heightFieldTypeOfFile(data.hfFileName);
  open.mapType = found < 0 ? data.hfType : found;
  open.mapResult = readHeightFieldFile(data.hfFileName, open.mapType, pal, open.map, progress);
  if (open.mapResult == Loaded)
    return PlaceDataOk;
  return is16Bit(data.hfType) ? PlaceDataPpmFailed : PlaceDataTargaFailed;
}

int commitPlaceDataOpen(Document &document, PlaceDataOpen &open, const MapCommit &commit) {
  // The map first: a commit that refuses it leaves the document untouched.
  if (commit) {
    open.mapResult = commit(std::move(open.map));
    if (open.mapResult != Loaded)
      return is16Bit(open.data.hfType) ? PlaceDataPpmFailed : PlaceDataTargaFailed;
  } else {
    commitHeightField(document, std::move(open.map));
  }
  document.killAll();
  applyPlaceData(open.data, document);
  document.setHfType(open.mapType);
  document.setHfFileType(open.mapType);
  return PlaceDataOk;
}

int openPlaceData(Document &document, const Palette &pal, const std::string &fileName,
                  const MapCommit &commit, PlaceDataOpen *open) {
  PlaceDataOpen local;
  PlaceDataOpen &o = open != nullptr ? *open : local;
  int result = readPlaceDataFile(document, fileName, o.data);
  if (result == PlaceDataOk)
    result = readPlaceDataMap(o, pal);
  if (result == PlaceDataOk)
    result = commitPlaceDataOpen(document, o, commit);
  return result;
}

std::string placeDataOpenMessage(int result, const PlaceDataOpen &open) {
  std::string message = placeDataMessage(result);
  if (result == PlaceDataPpmFailed || result == PlaceDataTargaFailed) {
    const char *why = heightFieldMessage(open.mapResult);
    message += "\n" + open.data.hfFileName + "\n" + (why != nullptr ? why : "");
  }
  return message;
}

int savePlaceData(const Document &document, QIODevice &device, const std::string &namingFile) {
  // The name is a line of its own; one that holds a line end, or ends in a CR,
  // would not read back as itself, so such a file is not written at all.
  const std::string name = nameWrittenIn(document.hfFileName(), namingFile);
  if (name.find('\n') != std::string::npos || (!name.empty() && name.back() == '\r'))
    return 1;
  TextOut out(device);
  writeItem(out, document.camera());
  out.text(" HS_At\n");
  writeItem(out, document.lookAt());
  out.text(" HS_Look\n");
  out.text(name).ch('\n');
  out.fixed(document.scaleX()).ch(',').fixed(document.scaleY()).ch(',').fixed(document.scaleZ());
  out.text(" HS_Scale\n");
  out.fixed(document.waterLevel())
      .ch(',')
      .integer(document.smoothOn())
      .ch(',')
      .integer(document.hfType());
  out.text(" W Sm Ft\n");
  for (int t = 0; t < kObjectTypes; ++t) {
    const ScData &list = document.objects()[static_cast<std::size_t>(t)];
    if (list.count() == 0)
      continue;
    out.integer(t + 1).ch(',').integer(list.count()).text("  type number\n");
    for (const ScItem &item : list) {
      writeObject(out, item);
      out.ch('\n');
    }
  }
  if (!document.areas().empty()) {
    out.ch('\n');
    for (const Area &area : document.areas())
      if (!writeAreaLine(out, area))
        return 1;
  }
  return out.flush() ? 0 : 1;
}

} // namespace hs
