#pragma once

#include "core/Icons.h"
#include "core/LRMemoryDC.h"
#include "core/ProgramValues.h"
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

struct Document;

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

  bool operator==(const SceneSettings &) const = default;
};

SceneSettings settingsOf(const Document &document, const ProgramValues &values,
                         const WindowValues &window);

// The undo history: a list of steps, each the changes one user operation
// made to what the place data file holds. A step keeps what changed, never a
// copy of the scene: appended objects stay in their list until the step is
// undone, and only then move into it; a removal keeps the objects removed; an
// operation that replaces whole lists moves the old lists into the step.
//
// Operations record themselves through the calls below, which do nothing
// unless a step is open, so they run the same with or without a history. An
// operation is opened with begin() and closed with commit() (nested pairs make
// one step, named by the outermost); appends need no call, commit finds them
// from the list counts, and the settings are compared at commit.
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

  void begin(const char *label, const Document &document, const ProgramValues &values,
             const WindowValues &window);
  // Ends the outermost step: a step that changed nothing is dropped, any
  // other one becomes the newest undo step and the redo steps go.
  void commit(const Document &document, const ProgramValues &values, const WindowValues &window);
  bool recording() const { return depth_ > 0; }

  // Before record index of list type is overwritten.
  void changing(int type, int index, const ScItem &before);
  // Removes the records at the ascending indices from list type, keeping them.
  void remove(Document &document, int type, const std::vector<std::int32_t> &ascending);
  // Moves every list into the step, leaving them empty. Without a step open
  // the lists are left alone.
  void takeLists(std::array<ScData, kObjectTypes> &lists);
  // Before every record of every list changes in place: keeps a copy.
  void copyLists(const std::array<ScData, kObjectTypes> &lists);
  // Before the document gets a new map.
  void mapChanging(const Document &document);

  // Undo or redo one step. Returns false when there is none (or the scene no
  // longer matches it, which empties the history). mapChanged says whether
  // the step gave the document another map.
  bool undo(Document &document, ProgramValues &values, WindowValues &window,
            bool *mapChanged = nullptr);
  bool redo(Document &document, ProgramValues &values, WindowValues &window,
            bool *mapChanged = nullptr);

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
  bool apply(bool forward, Document &document, ProgramValues &values, WindowValues &window,
             bool *mapChanged);
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
  int depth_ = 0;
  std::unique_ptr<Step> open_;
  SceneSettings before_;
  // Per list, the count from which records count as appended by the open step.
  std::array<std::int32_t, kObjectTypes> baseline_{};
  std::function<void()> listener_;
};

// Opens a step for its lifetime (see History::begin).
class HistoryStep {
public:
  HistoryStep(const char *label, Document &document, const ProgramValues &values,
              const WindowValues &window);
  ~HistoryStep();
  HistoryStep(const HistoryStep &) = delete;
  HistoryStep &operator=(const HistoryStep &) = delete;

private:
  Document &document_;
  const ProgramValues &values_;
  const WindowValues &window_;
};

} // namespace hs
