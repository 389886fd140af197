#pragma once

#include <functional>

namespace hs {

enum PlaceMode : int {
  SingleObject = 0,
  LineFill = 1,
  BoxFill = 2,
  CircleFill = 3,
  PlaceCamera = 4,
  PointCamera = 5,
  GetWater = 6,
  DeleteObjects = 7,
  EditObject = 8,
  MoveObject = 9,
  MoveAll = 10,
  SelectMove = 11,
  Scatter = 12,
  DrawArea = 13,
  PlaceModeCount // a new mode goes above
};

inline constexpr int kModeCount = PlaceModeCount;

// How the mode changed, for the window's tool buttons and status line.
enum class ModeChange {
  Selected, // a tool button chose it
  Entered,  // a command entered it, remembering the mode before
  Returned, // a pick ended: back to the mode before
};

// The one owner of the mode and the mode to go back to when a pick (camera,
// look-at point, water level) ends. Nothing else writes them; a value that is
// no mode is refused. Each change is told to the listener, if any.
class Modes {
public:
  int mode() const { return mode_; }
  int previousMode() const { return previousMode_; }

  // A tool button: the mode becomes mode; the mode to go back to stays.
  bool selectTool(int mode) {
    if (!isMode(mode))
      return false;
    mode_ = static_cast<PlaceMode>(mode);
    tell(ModeChange::Selected);
    return true;
  }
  // A command that remembers where it came from (the camera picks, editing,
  // deleting and moving).
  bool enter(int mode) {
    if (!isMode(mode))
      return false;
    previousMode_ = mode_;
    mode_ = static_cast<PlaceMode>(mode);
    tell(ModeChange::Entered);
    return true;
  }
  // The water pick: starting it again while it runs keeps the mode it will go
  // back to.
  void startWaterPick() {
    if (mode_ != GetWater)
      previousMode_ = mode_;
    mode_ = GetWater;
    tell(ModeChange::Entered);
  }
  // A pick finished or cancelled: back to the mode it started from.
  void endPick() {
    mode_ = previousMode_;
    tell(ModeChange::Returned);
  }

  void onChange(std::function<void(ModeChange)> listener) { listener_ = std::move(listener); }

  static constexpr bool isMode(int mode) { return mode >= 0 && mode < kModeCount; }

private:
  void tell(ModeChange how) const {
    if (listener_)
      listener_(how);
  }

  PlaceMode mode_ = SingleObject;
  PlaceMode previousMode_ = SingleObject;
  std::function<void(ModeChange)> listener_;
};

} // namespace hs
