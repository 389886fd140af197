// The records a step of the undo history holds, and the step itself.
#pragma once

#include "core/Document.h"
#include "core/History.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace hs {

namespace history_records {

using Lists = ObjectLists;

// Each record is a toggle: applying it exchanges what it holds with what the
// document holds, so the same call undoes and redoes it.

// Records type's list grew by count records from first.
struct Appended {
  std::int32_t type = 0;
  std::int32_t first = 0;
  std::int32_t count = 0;
  bool inScene = true;
  std::vector<ScItem> items; // the records while they are out of the list
};

struct Removed {
  std::int32_t type = 0;
  std::vector<std::int32_t> indices; // ascending, as they were in the list
  std::vector<ScItem> items;
  bool inScene = false;
};

struct Changed {
  std::int32_t type = 0;
  std::vector<std::int32_t> indices;
  std::vector<ScItem> items; // the other version of each record
};

struct WholeLists {
  std::unique_ptr<Lists> lists;
};

struct Settings {
  SceneSettings other;
};

struct MapState {
  LRMemoryDC image;
  int mapWidth = 0;
  int mapHeight = 0;
  int prevMapWidth = 0;
  int prevMapHeight = 0;
};

using Record = std::variant<Appended, Removed, Changed, WholeLists, Settings, MapState>;

std::size_t recordBytes(const Record &record);

} // namespace history_records

struct History::Step {
  std::string label;
  std::uint64_t state = 0; // the state this step leads to
  std::vector<history_records::Record> records;
  std::size_t bytes = 0;
  bool lost = false; // a record could not be made: the step cannot be undone

  void measure() {
    bytes = sizeof(Step) + label.capacity();
    for (const history_records::Record &r : records)
      bytes += history_records::recordBytes(r);
  }
};

} // namespace hs
