#pragma once

#include "core/Area.h"
#include "core/Icons.h"
#include "core/LRMemoryDC.h"
#include "core/ScData.h"
#include "core/ScItem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hs {

class Document;
struct DocumentChange;

// The values the place data file holds besides the lists and the map.
struct SceneSettings {
  ScItem camera;
  ScItem lookAt;
  std::string hfFileName;
  float scaleX = 0.0f;
  float scaleY = 0.0f;
  float scaleZ = 0.0f;
  float waterLevel = 0.0f;
  int smoothOn = 0;
  int hfType = 0;
  int hfFileType = 0;
  std::vector<Area> areas;

  bool operator==(const SceneSettings &) const = default;
};

SceneSettings settingsOf(const Document &document);

// The undo history: a list of steps, each the changes one user operation
// made to what the place data file holds. A step keeps what changed, never a
// copy of the scene: appended objects stay in their list until the step is
// undone, and only then move into it; a removal keeps the objects removed; an
// operation that replaces whole lists moves the old lists into the step.
//
// Only the document records into it (Document::Step opens a step, and each
// change the document makes is recorded as it is made); everyone else reads
// it, limits it, or clears it.
class History {
public:
  struct Limits {
    std::size_t steps = 200;
    std::size_t bytes = std::size_t{1} << 30;
  };

  History();
  ~History();
  History(const History &) = delete;
  History &operator=(const History &) = delete;

  void setLimits(Limits limits) { limits_ = limits; }
  // Called whenever the steps change (a new step, undo, redo, clear), for
  // whoever names them in a menu.
  void onChange(std::function<void()> listener) { listener_ = std::move(listener); }

  bool recording() const { return open_ != nullptr; }
  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  // The name of the step Undo or Redo would take; empty when there is none.
  std::string undoLabel() const;
  std::string redoLabel() const;
  std::size_t stepCount() const { return steps_.size(); }
  // Names the state the steps have led to: undoing and redoing back to a
  // state gives the same name again, any other state another one. A window
  // compares it with the one it had when the file was saved.
  std::uint64_t state() const;
  // What the steps hold, in bytes, and the newest done step alone.
  std::size_t bytes() const { return bytes_; }
  std::size_t newestBytes() const;
  void clear();
  // Empties the history without telling the listener; cannot fail.
  void forget() noexcept;

  struct Step;

private:
  friend class Document;
  using Lists = std::array<ScData, kObjectTypes>;

  void begin(const char *label);
  // Ends the open step: a step that changed nothing is dropped, any other
  // one becomes the newest undo step and the redo steps go.
  void commit(const Document &document);
  // What the document records as it changes.
  void appended(int type, std::int32_t index);
  void rolledBack(int type, std::int32_t count);
  void changing(int type, int index, const ScItem &before);
  void removed(int type, const std::vector<std::int32_t> &ascending, std::vector<ScItem> &&items);
  void takeLists(Lists &lists);
  void copyLists(const Lists &lists);
  void mapChanging(const Document &document);
  void settingsChanging(const Document &document);
  // Undo or redo one step, telling changes what it changed. False when there
  // is none (or the document no longer matches it, which empties the history).
  bool apply(bool forward, Document &document, std::vector<DocumentChange> &changes);
  void trim(std::size_t keep);
  void notify() const {
    if (listener_)
      listener_();
  }

  std::deque<std::unique_ptr<Step>> steps_;
  std::size_t done_ = 0; // steps_[0..done_) can be undone, the rest redone
  std::uint64_t nextState_ = 1;
  std::uint64_t firstState_ = 0; // the state before steps_[0]
  std::size_t bytes_ = 0;
  Limits limits_;
  std::unique_ptr<Step> open_;
  bool settingsKept_ = false;
  SceneSettings before_;
  std::function<void()> listener_;
};

} // namespace hs
