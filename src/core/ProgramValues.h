#pragma once

#include "core/PlaceMode.h"
#include "core/ScItem.h"
#include "core/ScatterRules.h"

#include <cstdint>
#include <string>

namespace hs {

// The values the settings dialogs, the command bars and the map pane all read
// and write. The application owns the running program's (app/PlaceApp); tests
// make their own.
struct ProgramValues {
  int currentType = 0; // 0..15, "Obj 1".."Obj16"
  int showOrder = 0;
  Modes modes;
  int cameraHeightMode = AboveWater;
  float cameraHeight = 1.0f;
  int placeHeightMode = AboveGround;
  float placeHeight = 0.0f;
  int unitsMode = 0; // 0 pixels, 1 thousandths of the map, 2 scaled POV units
  int fillCount = 10;
  int fillRandomPlace = 0;
  int fillRandomType = 0;
  // The Scatter tool's rules.
  ScatterRules scatter;
  // The fill tools' generator. Start-up seeds it with 1 and advances it once,
  // which leaves this value; it is never seeded again.
  std::uint32_t randomState = 22695478u;
  std::string povFileName;
  std::string enginePath = "/usr/bin/povray";
  std::string startDir;
  std::string settingsPath;
};

// The scene values the main window holds.
struct WindowValues {
  int cursorX = 0;
  int cursorY = 0;
  std::string dataFileName;
  std::string paletteFileName;
};

} // namespace hs
