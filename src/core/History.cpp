#include "core/History.h"

#include "core/Document.h"

#include <algorithm>
#include <new>
#include <utility>
#include <variant>

namespace hs {

SceneSettings settingsOf(const Document &document, const ProgramValues &values,
                         const WindowValues &window) {
  SceneSettings s;
  s.camera = document.camera;
  s.lookAt = document.lookAt;
  s.hfFileName = window.hfFileName;
  s.scaleX = values.scaleX;
  s.scaleY = values.scaleY;
  s.scaleZ = values.scaleZ;
  s.waterLevel = values.waterLevel;
  s.smoothOn = window.smoothOn;
  s.hfType = document.hfType;
  s.hfFileType = window.hfFileType;
  return s;
}

namespace {

using Lists = std::array<ScData, kObjectTypes>;

void swapSettings(SceneSettings &s, Document &document, ProgramValues &values,
                  WindowValues &window) {
  std::swap(s.camera, document.camera);
  std::swap(s.lookAt, document.lookAt);
  std::swap(s.hfFileName, window.hfFileName);
  std::swap(s.scaleX, values.scaleX);
  std::swap(s.scaleY, values.scaleY);
  std::swap(s.scaleZ, values.scaleZ);
  std::swap(s.waterLevel, values.waterLevel);
  std::swap(s.smoothOn, window.smoothOn);
  std::swap(s.hfType, document.hfType);
  std::swap(s.hfFileType, window.hfFileType);
}

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

std::size_t itemBytes(const std::vector<ScItem> &v) { return v.capacity() * sizeof(ScItem); }

std::size_t recordBytes(const Record &record) {
  struct Measure {
    std::size_t operator()(const Appended &r) const { return itemBytes(r.items); }
    std::size_t operator()(const Removed &r) const {
      return itemBytes(r.items) + r.indices.capacity() * sizeof(std::int32_t);
    }
    std::size_t operator()(const Changed &r) const {
      return itemBytes(r.items) + r.indices.capacity() * sizeof(std::int32_t);
    }
    std::size_t operator()(const WholeLists &r) const {
      std::size_t n = sizeof(Lists);
      for (const ScData &list : *r.lists)
        n += static_cast<std::size_t>(list.count()) * sizeof(ScItem);
      return n;
    }
    std::size_t operator()(const Settings &r) const {
      return sizeof(SceneSettings) + r.other.hfFileName.capacity();
    }
    std::size_t operator()(const MapState &r) const {
      return static_cast<std::size_t>(r.image.width()) *
             static_cast<std::size_t>(std::max(r.image.height(), 0)) * 4U;
    }
  };
  return sizeof(Record) + std::visit(Measure{}, record);
}

ScData *listOf(Document &document, std::int32_t type) {
  if (type < 0 || type >= kObjectTypes)
    return nullptr;
  return &document.objects[static_cast<std::size_t>(type)];
}

bool ascendingBelow(const std::vector<std::int32_t> &indices, std::int32_t end) {
  for (std::size_t k = 0; k < indices.size(); ++k)
    if (indices[k] < 0 || indices[k] >= end || (k > 0 && indices[k] <= indices[k - 1]))
      return false;
  return true;
}

// Applies one record; false when the document does not match it (then
// nothing has changed).
struct Toggle {
  Document &document;
  ProgramValues &values;
  WindowValues &window;
  bool forward;
  bool *mapChanged;

  bool operator()(Appended &r) const {
    ScData *list = listOf(document, r.type);
    if (list == nullptr)
      return false;
    if (r.inScene) {
      if (list->count() != r.first + r.count)
        return false;
      list->takeTail(r.first, r.items);
    } else {
      if (list->count() != r.first)
        return false;
      list->putTail(std::move(r.items));
      r.items = {};
    }
    r.inScene = !r.inScene;
    return true;
  }
  bool operator()(Removed &r) const {
    ScData *list = listOf(document, r.type);
    if (list == nullptr)
      return false;
    const auto n = static_cast<std::int32_t>(r.indices.size());
    if (r.inScene) {
      if (!ascendingBelow(r.indices, list->count()))
        return false;
      list->takeAt(r.indices, r.items);
    } else {
      if (!ascendingBelow(r.indices, list->count() + n) || r.items.size() != r.indices.size())
        return false;
      list->putAt(r.indices, std::move(r.items));
      r.items = {};
    }
    r.inScene = !r.inScene;
    return true;
  }
  bool operator()(Changed &r) const {
    ScData *list = listOf(document, r.type);
    if (list == nullptr)
      return false;
    for (const std::int32_t i : r.indices)
      if (i < 0 || i >= list->count())
        return false;
    // Undone newest first, so a record changed twice comes back to its first
    // version; redone oldest first.
    const std::size_t n = r.indices.size();
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t at = forward ? k : n - 1 - k;
      std::swap(r.items[at], (*list)[r.indices[at]]);
    }
    return true;
  }
  bool operator()(WholeLists &r) const {
    for (std::size_t t = 0; t < r.lists->size(); ++t)
      document.objects[t].swap((*r.lists)[t]);
    return true;
  }
  bool operator()(Settings &r) const {
    swapSettings(r.other, document, values, window);
    return true;
  }
  bool operator()(MapState &r) const {
    std::swap(r.image, document.baseImage);
    std::swap(r.prevMapWidth, document.prevMapWidth);
    std::swap(r.prevMapHeight, document.prevMapHeight);
    const int width = r.mapWidth;
    const int height = r.mapHeight;
    r.mapWidth = document.mapWidth;
    r.mapHeight = document.mapHeight;
    document.setMapSize(width, height);
    ++document.mapVersion;
    if (mapChanged != nullptr)
      *mapChanged = true;
    return true;
  }
};

} // namespace

struct History::Step {
  std::string label;
  std::uint64_t state = 0; // the state this step leads to
  std::vector<Record> records;
  std::size_t bytes = 0;
  bool lost = false; // a record could not be made: the step cannot be undone

  void measure() {
    bytes = sizeof(Step) + label.capacity();
    for (const Record &r : records)
      bytes += recordBytes(r);
  }
};

History::History() = default;
History::~History() = default;

void History::begin(const char *label, const Document &document, const ProgramValues &values,
                    const WindowValues &window) {
  if (depth_++ > 0)
    return;
  open_ = std::make_unique<Step>();
  open_->label = label;
  before_ = settingsOf(document, values, window);
  for (std::size_t t = 0; t < baseline_.size(); ++t)
    baseline_[t] = document.objects[t].count();
}

void History::commit(const Document &document, const ProgramValues &values,
                     const WindowValues &window) {
  if (depth_ == 0 || --depth_ > 0)
    return;
  std::unique_ptr<Step> step = std::move(open_);
  try {
    for (std::size_t t = 0; t < baseline_.size(); ++t) {
      const std::int32_t count = document.objects[t].count();
      if (count > baseline_[t])
        step->records.emplace_back(
            Appended{static_cast<std::int32_t>(t), baseline_[t], count - baseline_[t], true, {}});
      else if (count < baseline_[t])
        step->lost = true; // records went without a word: the step would not fit
    }
    SceneSettings now = settingsOf(document, values, window);
    if (!(now == before_))
      step->records.emplace_back(Settings{std::move(before_)});
  } catch (const std::bad_alloc &) {
    step->lost = true;
  }
  if (step->lost) {
    // What was recorded no longer leads back to an earlier scene, so no
    // older step can be trusted either.
    clear();
    return;
  }
  if (step->records.empty())
    return;
  step->measure();
  step->state = nextState_++;
  while (steps_.size() > done_) {
    bytes_ -= steps_.back()->bytes;
    steps_.pop_back();
  }
  bytes_ += step->bytes;
  steps_.push_back(std::move(step));
  ++done_;
  trim(done_ - 1);
  notify();
}

void History::changing(int type, int index, const ScItem &before) {
  if (!open_ || open_->lost)
    return;
  try {
    if (open_->records.empty() || !std::holds_alternative<Changed>(open_->records.back()) ||
        std::get<Changed>(open_->records.back()).type != type)
      open_->records.emplace_back(Changed{type, {}, {}});
    auto &r = std::get<Changed>(open_->records.back());
    r.indices.push_back(index);
    r.items.push_back(before);
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::remove(Document &document, int type, const std::vector<std::int32_t> &ascending) {
  ScData *list = listOf(document, type);
  if (list == nullptr || ascending.empty())
    return;
  std::vector<ScItem> items;
  if (!open_ || open_->lost) {
    list->takeAt(ascending, items);
    return;
  }
  try {
    Removed r{type, ascending, {}, false};
    list->takeAt(ascending, r.items);
    baseline_[static_cast<std::size_t>(type)] -= static_cast<std::int32_t>(r.items.size());
    open_->records.emplace_back(std::move(r));
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::takeLists(std::array<ScData, kObjectTypes> &lists) {
  if (!open_ || open_->lost)
    return;
  try {
    WholeLists r{std::make_unique<Lists>()};
    for (std::size_t t = 0; t < lists.size(); ++t) {
      lists[t].swap((*r.lists)[t]);
      baseline_[t] = 0;
    }
    open_->records.emplace_back(std::move(r));
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::copyLists(const std::array<ScData, kObjectTypes> &lists) {
  if (!open_ || open_->lost)
    return;
  try {
    WholeLists r{std::make_unique<Lists>()};
    for (std::size_t t = 0; t < lists.size(); ++t)
      (*r.lists)[t] = lists[t];
    open_->records.emplace_back(std::move(r));
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

void History::mapChanging(const Document &document) {
  if (!open_ || open_->lost)
    return;
  try {
    open_->records.emplace_back(MapState{document.baseImage, document.mapWidth, document.mapHeight,
                                         document.prevMapWidth, document.prevMapHeight});
  } catch (const std::bad_alloc &) {
    open_->lost = true;
  }
}

bool History::apply(bool forward, Document &document, ProgramValues &values, WindowValues &window,
                    bool *mapChanged) {
  if (mapChanged != nullptr)
    *mapChanged = false;
  if (forward ? !canRedo() : !canUndo())
    return false;
  Step &step = *steps_[forward ? done_ : done_ - 1];
  const Toggle toggle{document, values, window, forward, mapChanged};
  const std::size_t n = step.records.size();
  bool fits = true;
  try {
    for (std::size_t k = 0; k < n && fits; ++k)
      fits = std::visit(toggle, step.records[forward ? k : n - 1 - k]);
  } catch (const std::bad_alloc &) {
    fits = false;
  }
  if (!fits) {
    clear();
    return false;
  }
  bytes_ -= step.bytes;
  step.measure();
  bytes_ += step.bytes;
  done_ = forward ? done_ + 1 : done_ - 1;
  trim(forward ? done_ - 1 : done_);
  notify();
  return true;
}

bool History::undo(Document &document, ProgramValues &values, WindowValues &window,
                   bool *mapChanged) {
  return apply(false, document, values, window, mapChanged);
}

bool History::redo(Document &document, ProgramValues &values, WindowValues &window,
                   bool *mapChanged) {
  return apply(true, document, values, window, mapChanged);
}

void History::trim(std::size_t keep) {
  // The oldest steps go first; then, when undone steps hold too much, the ones
  // farthest ahead. The step just made, undone or redone stays.
  auto over = [this] { return steps_.size() > limits_.steps || bytes_ > limits_.bytes; };
  while (over() && keep > 0) {
    firstState_ = steps_.front()->state;
    bytes_ -= steps_.front()->bytes;
    steps_.pop_front();
    --done_;
    --keep;
  }
  while (over() && steps_.size() > keep + 1) {
    bytes_ -= steps_.back()->bytes;
    steps_.pop_back();
  }
}

std::string History::undoLabel() const { return canUndo() ? steps_[done_ - 1]->label : ""; }

std::string History::redoLabel() const { return canRedo() ? steps_[done_]->label : ""; }

std::uint64_t History::state() const { return done_ > 0 ? steps_[done_ - 1]->state : firstState_; }

std::size_t History::newestBytes() const { return canUndo() ? steps_[done_ - 1]->bytes : 0; }

void History::forget() noexcept {
  // What the scene is now is no state a step knows.
  firstState_ = nextState_++;
  steps_.clear();
  open_.reset();
  depth_ = 0;
  done_ = 0;
  bytes_ = 0;
}

void History::clear() {
  firstState_ = nextState_++;
  steps_.clear();
  done_ = 0;
  bytes_ = 0;
  notify();
}

HistoryStep::HistoryStep(const char *label, Document &document, const ProgramValues &values,
                         const WindowValues &window)
    : document_(document), values_(values), window_(window) {
  document_.history.begin(label, document_, values_, window_);
}

HistoryStep::~HistoryStep() {
  try {
    document_.history.commit(document_, values_, window_);
  } catch (...) {
    // A step that could not be closed cannot be trusted, nor any before it.
    document_.history.forget();
  }
}

} // namespace hs
