// The undo history's steps: making them, undoing and redoing them, and their limits.
#include "core/History.h"

#include "core/Document.h"
#include "core/HistoryRecords.h"

#include <algorithm>
#include <new>
#include <utility>
#include <variant>

namespace hs {

SceneSettings settingsOf(const Document &document) {
  SceneSettings s;
  s.camera = document.camera();
  s.lookAt = document.lookAt();
  s.hfFileName = document.hfFileName();
  s.scaleX = document.scaleX();
  s.scaleY = document.scaleY();
  s.scaleZ = document.scaleZ();
  s.waterLevel = document.waterLevel();
  s.smoothOn = document.smoothOn();
  s.hfType = document.hfType();
  s.hfFileType = document.hfFileType();
  s.areas = document.areas();
  return s;
}

namespace history_records {

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
      std::size_t corners = 0;
      for (const Area &a : r.other.areas)
        corners += a.corners.capacity();
      return sizeof(SceneSettings) + r.other.hfFileName.capacity() +
             r.other.areas.capacity() * sizeof(Area) + corners * sizeof(AreaCorner);
    }
    std::size_t operator()(const MapState &r) const {
      return static_cast<std::size_t>(r.image.width()) *
             static_cast<std::size_t>(std::max(r.image.height(), 0)) * 4U;
    }
  };
  return sizeof(Record) + std::visit(Measure{}, record);
}

DocumentChange objectsChange(DocumentChange::Kind kind, int type, std::int32_t first,
                             std::int32_t count, std::vector<std::int32_t> indices = {}) {
  DocumentChange c;
  c.kind = kind;
  c.type = type;
  c.first = first;
  c.count = count;
  c.indices = std::move(indices);
  return c;
}

} // namespace history_records

using namespace history_records;

// Applies one record to the document's own data; false when the document
// does not match it (then nothing has changed). What changed goes to changes.
struct HistoryToggle {
  Document &document;
  bool forward;
  std::vector<DocumentChange> &changes;

  ScData *listOf(std::int32_t type) const {
    if (type < 0 || type >= kObjectTypes)
      return nullptr;
    return &document.objects_[static_cast<std::size_t>(type)];
  }

  bool operator()(Appended &r) const {
    ScData *list = listOf(r.type);
    if (list == nullptr)
      return false;
    if (r.inScene) {
      if (list->count() != r.first + r.count)
        return false;
      list->takeTail(r.first, r.items);
      changes.push_back(objectsChange(DocumentChange::Removed, r.type, r.first, r.count));
    } else {
      if (list->count() != r.first)
        return false;
      list->putTail(std::move(r.items));
      r.items = {};
      changes.push_back(objectsChange(DocumentChange::Appended, r.type, r.first, r.count));
    }
    r.inScene = !r.inScene;
    return true;
  }
  bool operator()(Removed &r) const {
    ScData *list = listOf(r.type);
    if (list == nullptr)
      return false;
    const auto n = static_cast<std::int32_t>(r.indices.size());
    if (r.inScene) {
      if (!ascendingBelow(r.indices, list->count()))
        return false;
      list->takeAt(r.indices, r.items);
      changes.push_back(objectsChange(DocumentChange::Removed, r.type, 0, n, r.indices));
    } else {
      if (!ascendingBelow(r.indices, list->count() + n) || r.items.size() != r.indices.size())
        return false;
      list->putAt(r.indices, std::move(r.items));
      r.items = {};
      changes.push_back(objectsChange(DocumentChange::Inserted, r.type, 0, n, r.indices));
    }
    r.inScene = !r.inScene;
    return true;
  }
  bool operator()(Changed &r) const {
    ScData *list = listOf(r.type);
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
    changes.push_back(
        objectsChange(DocumentChange::Changed, r.type, 0, static_cast<std::int32_t>(n), r.indices));
    return true;
  }
  bool operator()(WholeLists &r) const {
    for (std::size_t t = 0; t < r.lists->size(); ++t)
      document.objects_[t].swap((*r.lists)[t]);
    changes.push_back(objectsChange(DocumentChange::AllObjects, -1, 0, 0));
    return true;
  }
  bool operator()(Settings &r) const {
    SceneSettings &s = r.other;
    Document &d = document;
    const SceneSettings was = settingsOf(d);
    std::swap(s.camera, d.camera_);
    std::swap(s.lookAt, d.lookAt_);
    std::swap(s.hfFileName, d.hfFileName_);
    std::swap(s.scaleX, d.scaleX_);
    std::swap(s.scaleY, d.scaleY_);
    std::swap(s.scaleZ, d.scaleZ_);
    std::swap(s.waterLevel, d.waterLevel_);
    std::swap(s.smoothOn, d.smoothOn_);
    std::swap(s.hfType, d.hfType_);
    std::swap(s.hfFileType, d.hfFileType_);
    std::swap(s.areas, d.areas_);
    const SceneSettings now = settingsOf(d);
    auto told = [this](bool differs, DocumentChange::Kind kind) {
      if (differs)
        changes.push_back(objectsChange(kind, -1, 0, 0));
    };
    told(!(was.camera == now.camera), DocumentChange::Camera);
    told(!(was.lookAt == now.lookAt), DocumentChange::LookAt);
    told(was.scaleX != now.scaleX || was.scaleY != now.scaleY || was.scaleZ != now.scaleZ,
         DocumentChange::Scale);
    told(was.waterLevel != now.waterLevel, DocumentChange::Water);
    told(was.smoothOn != now.smoothOn, DocumentChange::Smoothing);
    told(was.hfFileName != now.hfFileName || was.hfFileType != now.hfFileType,
         DocumentChange::HeightFieldName);
    told(was.hfType != now.hfType, DocumentChange::Map);
    told(was.areas != now.areas, DocumentChange::Areas);
    return true;
  }
  bool operator()(MapState &r) const {
    Document &d = document;
    std::swap(r.image, d.baseImage_);
    std::swap(r.prevMapWidth, d.prevMapWidth_);
    std::swap(r.prevMapHeight, d.prevMapHeight_);
    const int width = r.mapWidth;
    const int height = r.mapHeight;
    r.mapWidth = d.mapWidth_;
    r.mapHeight = d.mapHeight_;
    d.setMapSize(width, height);
    ++d.mapVersion_;
    changes.push_back(objectsChange(DocumentChange::Map, -1, 0, 0));
    return true;
  }
};

History::History() = default;
History::~History() = default;

void History::begin(const char *label) {
  open_ = std::make_unique<Step>();
  open_->label = label;
  settingsKept_ = false;
}

void History::commit(const Document &document) {
  if (!open_)
    return;
  std::unique_ptr<Step> step = std::move(open_);
  try {
    if (settingsKept_ && !(settingsOf(document) == before_))
      step->records.emplace_back(Settings{std::move(before_)});
  } catch (const std::bad_alloc &) {
    step->lost = true;
  }
  settingsKept_ = false;
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

bool History::apply(bool forward, Document &document, std::vector<DocumentChange> &changes) {
  if (forward ? !canRedo() : !canUndo())
    return false;
  Step &step = *steps_[forward ? done_ : done_ - 1];
  const HistoryToggle toggle{document, forward, changes};
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

} // namespace hs
