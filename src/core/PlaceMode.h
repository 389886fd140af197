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
};

inline constexpr int kModeCount = 12;

// Status text shown when the mode is entered; empty for a mode outside 0..11.
const char *modeEntryText(int mode);
// Status text for the mode after an operation; nullptr for modes 4 to 6 and
// for anything outside 0..11.
const char *modeLabel(int mode);

} // namespace hs
