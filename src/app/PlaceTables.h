#pragma once

#include "gui/CommandObject.h"
#include "placement/Tool.h"

#include <span>

namespace hs {

// Command ids of the main window's menus, bars and status labels, and of the
// gaps that space the command bars.
enum PlaceCommand : int {
  kFileMenu = 32000,
  kGeoMenu = 101,
  kObjectsMenu = 102,
  kReadoutLabel = 103,
  kStatusLabel = 104,
  kHeightField = 105,
  kOpenData = 106,
  kSaveData = 107,
  kSaveInclude = 108,
  kDisplayUnits = 109,
  kPreferences = 110,
  kEngine = 111,
  kScale = 112,
  kWaterLevel = 113,
  kSmooth = 114,
  kEdit = 115,
  kMoveMenu = 116,
  kDelete = 117,
  kDelUnseen = 118,
  kKillAll = 119,
  kMoveSingle = 120,
  kMoveAllCmd = 121,
  kMoveSelect = 122,
  kCameraAt = 123,
  kLook = 124,
  kGapAfterLook = 125,
  kRender = 126,
  kGapAfterRender = 127,
  kWaterToggle = 128,
  kViewToggle = 129,
  kGapAfterView = 130,
  kPaletteToggle = 131,
  kUndo = 132,
  kKeep = 133,
  kObjectType = 134,
  kHeight = 135,
  kOne = kOneButton, // the tool table's
  kLin = kLinButton, // the tool table's
  kBox = kBoxButton, // the tool table's
  kCir = kCirButton, // the tool table's
  kFill = 140,
  kOrder = 141,
  kGapAfterKeep = 142,
  kGapAfterBox = 144,
  kHelpMenu = 145,
  kContents = 146,
  kAbout = 147,
  kViewMenu = 148,
  kZoomIn = 149,
  kZoomOut = 150,
  kFitMap = 151,
  kActualSize = 152,
  kRelief = 153,
  kScatter = kScatterButton, // the tool table's
  kSave = 155,
  kRecentMenu = 156,
  kRecentNone = 157,
  kEditMenu = 158,
  kHistoryUndo = 159,
  kHistoryRedo = 160,
  kZoomLabel = 161,
  kView3d = 162,
  kGapAfterPalette = 163,
  kImportElevation = 164,
  kDrawArea = 165,
  kAreaList = 166,
};

std::span<const MenuRecord> placeMenus();
std::span<const CommandObject> placeToolBar();
std::span<const CommandObject> placeViewBar();
std::span<const StatusLabel> placeStatusLabels();

} // namespace hs
