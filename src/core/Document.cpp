#include "core/Document.h"

#include <new>
#include <tuple>
#include <utility>

namespace hs {

namespace {

// The name of a step a change opens for itself, when its caller opened none.
constexpr const char *kLoneChange = "Change";

DocumentChange changeOf(DocumentChange::Kind kind, int type = -1) {
  DocumentChange c;
  c.kind = kind;
  c.type = type;
  return c;
}

// Copies every list of from into to, or nothing when memory runs out.
bool copyLists(const ObjectLists &from, ObjectLists &to) {
  try {
    ObjectLists copies;
    for (std::size_t t = 0; t < copies.size(); ++t)
      copies[t] = from[t];
    // Nothing below can fail: the lists change only once every copy is made.
    for (std::size_t t = 0; t < copies.size(); ++t)
      to[t].swap(copies[t]);
  } catch (const std::bad_alloc &) {
    return false;
  }
  return true;
}

} // namespace

Document::Document(Recording recording) : baseImage_(400, 400), recording_(recording) {
  baseImage_.clear();
  for (ScData &list : objects_)
    list.attachBudget(&budget_);
  keep();
}

void Document::setMapSize(int width, int height) {
  mapWidth_ = width;
  mapHeight_ = height;
  // The centre is halved in whole pixels (400 gives 199.0), as the export and
  // the readout have always counted it.
  mapCentreX_ = static_cast<float>((width - 1) / 2);  // NOLINT(bugprone-integer-division)
  mapCentreY_ = static_cast<float>((height - 1) / 2); // NOLINT(bugprone-integer-division)
}

long long Document::objectCount() const {
  long long n = 0;
  for (const ScData &list : objects_)
    n += list.count();
  return n;
}

// Steps and notices.

Document::Step::Step(Document &document, const char *label) : document_(document) {
  document_.begin(label);
}

Document::Step::~Step() { document_.end(); }

void Document::begin(const char *label) {
  if (depth_++ == 0 && records())
    history_.begin(label);
}

void Document::end() {
  if (--depth_ > 0)
    return;
  if (history_.recording()) {
    try {
      history_.commit(*this);
    } catch (...) {
      // A step that could not be closed cannot be trusted, nor any before it.
      history_.forget();
    }
  }
  publish();
}

void Document::publish() {
  if (pending_.empty())
    return;
  std::vector<DocumentChange> changes;
  changes.swap(pending_);
  lastAppended_.fill(kNoRun);
  // A listener may add or remove listeners; those it adds hear the next change.
  const std::vector<Listener> listeners = listeners_;
  for (const DocumentChange &change : changes)
    for (const Listener &listener : listeners)
      listener.call(change);
  for (const Listener &listener : listeners)
    if (listener.told)
      listener.told();
}

void Document::tell(DocumentChange &&change) {
  if (listeners_.empty())
    return;
  const bool oneList = change.type >= 0 && change.type < kObjectTypes;
  if (change.kind == DocumentChange::Appended && oneList) {
    // Appends to one list in a row are told as one, also when appends to
    // other lists come between (they do not move its records): a scatter of
    // many types is a notice a type, not one an object.
    std::size_t &at = lastAppended_[static_cast<std::size_t>(change.type)];
    if (at < pending_.size() && pending_[at].first + pending_[at].count == change.first) {
      pending_[at].count += change.count;
      return;
    }
    pending_.push_back(std::move(change));
    at = pending_.size() - 1;
    return;
  }
  // Anything else that touches a list ends its run of appends.
  if (oneList)
    lastAppended_[static_cast<std::size_t>(change.type)] = kNoRun;
  else if (change.kind == DocumentChange::AllObjects)
    lastAppended_.fill(kNoRun);
  pending_.push_back(std::move(change));
}

int Document::addListener(std::function<void(const DocumentChange &)> listener,
                          std::function<void()> told) {
  listeners_.push_back({nextListener_, std::move(listener), std::move(told)});
  return nextListener_++;
}

void Document::removeListener(int id) {
  std::erase_if(listeners_, [id](const Listener &l) { return l.id == id; });
}

void Document::settingsChanging() { history_.settingsChanging(*this); }

// The objects.

int Document::append(int type, const ScItem &item) {
  if (type < 0 || type >= kObjectTypes)
    return ScData::BadIndex;
  const Step step(*this, kLoneChange);
  ScData &list = objects_[static_cast<std::size_t>(type)];
  const std::int32_t index = list.count();
  const int status = list.append(item);
  if (list.count() > index) {
    history_.appended(type, index);
    DocumentChange c = changeOf(DocumentChange::Appended, type);
    c.first = index;
    c.count = 1;
    tell(std::move(c));
  }
  return status;
}

void Document::remove(int type, const std::vector<std::int32_t> &ascending) {
  if (type < 0 || type >= kObjectTypes || ascending.empty())
    return;
  if (!ascendingBelow(ascending, objects_[static_cast<std::size_t>(type)].count()))
    return; // not records of the list, in order: nothing to remove
  const Step step(*this, kLoneChange);
  std::vector<ScItem> items;
  objects_[static_cast<std::size_t>(type)].takeAt(ascending, items);
  history_.removed(type, ascending, std::move(items));
  DocumentChange c = changeOf(DocumentChange::Removed, type);
  c.count = static_cast<std::int32_t>(ascending.size());
  c.indices = ascending;
  tell(std::move(c));
}

void Document::change(int type, int index, const ScItem &item) {
  if (type < 0 || type >= kObjectTypes || index < 0 ||
      index >= objects_[static_cast<std::size_t>(type)].count())
    return;
  const Step step(*this, kLoneChange);
  ScItem &record = objects_[static_cast<std::size_t>(type)][index];
  history_.changing(type, index, record);
  record = item;
  DocumentChange c = changeOf(DocumentChange::Changed, type);
  c.count = 1;
  c.indices = {index};
  tell(std::move(c));
}

void Document::changeEvery(const std::function<void(ScItem &)> &how, bool withPoints) {
  const Step step(*this, kLoneChange);
  if (withPoints) {
    settingsChanging();
    how(camera_);
    how(lookAt_);
    tell(changeOf(DocumentChange::Camera));
    tell(changeOf(DocumentChange::LookAt));
  }
  if (objectCount() == 0)
    return;
  // Every object may change, so the history keeps the lists as they were.
  history_.copyLists(objects_);
  for (ScData &list : objects_)
    for (int i = 0; i < list.count(); ++i)
      how(list[i]);
  tell(changeOf(DocumentChange::AllObjects));
}

std::array<ScData::Mark, kObjectTypes> Document::marks() const {
  std::array<ScData::Mark, kObjectTypes> marks{};
  for (std::size_t t = 0; t < marks.size(); ++t)
    marks[t] = objects_[t].mark();
  return marks;
}

void Document::rollBack(const std::array<ScData::Mark, kObjectTypes> &marks) {
  const Step step(*this, kLoneChange);
  for (std::size_t t = 0; t < marks.size(); ++t) {
    const std::int32_t had = objects_[t].count();
    if (had <= marks[t].count)
      continue;
    objects_[t].rollBack(marks[t]);
    history_.rolledBack(static_cast<int>(t), marks[t].count);
    DocumentChange c = changeOf(DocumentChange::Removed, static_cast<int>(t));
    c.first = marks[t].count;
    c.count = had - marks[t].count;
    tell(std::move(c));
  }
}

void Document::killAll() {
  const Step step(*this, kLoneChange);
  // The lists move into the history rather than being copied there.
  if (history_.recording())
    history_.takeLists(objects_);
  for (ScData &list : objects_)
    list.clear();
  tell(changeOf(DocumentChange::AllObjects));
}

// The values: each set as one recorded change of the file's settings.

void Document::setSetting(const std::function<void()> &set, DocumentChange::Kind kind) {
  const Step step(*this, kLoneChange);
  settingsChanging();
  set();
  tell(changeOf(kind));
}

void Document::setCamera(const ScItem &camera) {
  setSetting([&] { camera_ = camera; }, DocumentChange::Camera);
}

void Document::setLookAt(const ScItem &lookAt) {
  setSetting([&] { lookAt_ = lookAt; }, DocumentChange::LookAt);
}

void Document::setScale(float x, float y, float z) {
  setSetting([&] { std::tie(scaleX_, scaleY_, scaleZ_) = std::tuple(x, y, z); },
             DocumentChange::Scale);
}

void Document::setWaterLevel(float level) {
  setSetting([&] { waterLevel_ = level; }, DocumentChange::Water);
}

void Document::setSmoothOn(int on) {
  setSetting([&] { smoothOn_ = on; }, DocumentChange::Smoothing);
}

void Document::setHfFileName(const std::string &name) {
  setSetting([&] { hfFileName_ = name; }, DocumentChange::HeightFieldName);
}

void Document::setHfFileType(int type) {
  setSetting([&] { hfFileType_ = type; }, DocumentChange::HeightFieldName);
}

void Document::setAreas(std::vector<Area> areas) {
  setSetting([&] { areas_ = std::move(areas); }, DocumentChange::Areas);
}

void Document::setHfType(int type) {
  setSetting([&] { hfType_ = type; }, DocumentChange::Map);
}

// The map.

void Document::setMap(LRMemoryDC &&image) {
  const Step step(*this, kLoneChange);
  history_.mapChanging(*this);
  prevMapWidth_ = mapWidth_;
  prevMapHeight_ = mapHeight_;
  setMapSize(image.width(), image.height());
  baseImage_ = std::move(image);
  ++mapVersion_;
  tell(changeOf(DocumentChange::Map));
}

void Document::recolour(const std::function<void(LRMemoryDC &)> &how) {
  how(baseImage_);
  ++mapVersion_;
  const Step step(*this, kLoneChange);
  tell(changeOf(DocumentChange::Map));
}

// The kept copies.

bool Document::keep() {
  if (!copyLists(objects_, keptObjects_))
    return false;
  keptCamera_ = camera_;
  keptLookAt_ = lookAt_;
  return true;
}

bool Document::goBackToKept() {
  ObjectLists copies;
  if (!copyLists(keptObjects_, copies))
    return false;
  const Step step(*this, kLoneChange);
  settingsChanging();
  // The lists replaced move into the history rather than being copied there.
  if (history_.recording())
    history_.takeLists(objects_);
  for (std::size_t t = 0; t < copies.size(); ++t)
    objects_[t].swap(copies[t]);
  camera_ = keptCamera_;
  lookAt_ = keptLookAt_;
  tell(changeOf(DocumentChange::AllObjects));
  tell(changeOf(DocumentChange::Camera));
  tell(changeOf(DocumentChange::LookAt));
  return true;
}

bool Document::stepHistory(bool forward) {
  std::vector<DocumentChange> changes;
  if (!history_.apply(forward, *this, changes))
    return false;
  const Step step(*this, kLoneChange);
  for (DocumentChange &change : changes)
    tell(std::move(change));
  return true;
}

} // namespace hs
