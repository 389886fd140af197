#pragma once

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
};

inline constexpr int kModeCount = 13;

// The one owner of the mode and the mode to go back to when a pick (camera,
// look-at point, water level) ends. Nothing else writes them.
class Modes {
public:
  int mode() const { return mode_; }
  int previousMode() const { return previousMode_; }

  // A tool button: the mode becomes mode; the mode to go back to stays.
  void selectTool(int mode) { mode_ = mode; }
  // A command that remembers where it came from (the camera picks, editing,
  // deleting and moving).
  void enter(int mode) {
    previousMode_ = mode_;
    mode_ = mode;
  }
  // The water pick: starting it again while it runs keeps the mode it will go
  // back to.
  void startWaterPick() {
    if (mode_ != GetWater)
      previousMode_ = mode_;
    mode_ = GetWater;
  }
  // A pick finished or cancelled: back to the mode it started from.
  void endPick() { mode_ = previousMode_; }

private:
  int mode_ = SingleObject;
  int previousMode_ = SingleObject;
};

} // namespace hs
