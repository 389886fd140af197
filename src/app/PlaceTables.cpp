#include "app/PlaceTables.h"

namespace hs {

namespace {

constexpr MenuRecord kPreferencesMenu[] = {
    {.label = "Display", .id = kDisplayUnits},
    {.label = "Pov...AT", .id = kEngine},
};

// Filled with the files used last when the window starts and after each
// open or save.
constexpr MenuRecord kRecentEntries[] = {
    {.label = "(none)", .id = kRecentNone, .enabled = false},
};

constexpr MenuRecord kFileEntries[] = {
    {.label = "Open.Data", .id = kOpenData, .shortcuts = "Ctrl+O"},
    {.label = "Recent", .id = kRecentMenu, .submenu = kRecentEntries},
    {.label = "Save", .id = kSave, .shortcuts = "Ctrl+S"},
    {.label = "Save.Data", .id = kSaveData, .shortcuts = "Ctrl+Shift+S"},
    {.label = " SaveINC", .id = kSaveInclude, .shortcuts = "Ctrl+E"},
    {.label = "Render", .id = kRender, .shortcuts = "F5"},
    {.label = "-", .id = kSeparatorId},
    {.label = "Peferences", .id = kPreferences, .submenu = kPreferencesMenu},
    {.label = "E&xit", .id = kExitId},
};

// Undo and Redo walk the history; their labels name the step they take.
constexpr MenuRecord kEditEntries[] = {
    {.label = "Undo", .id = kHistoryUndo, .enabled = false, .shortcuts = "Ctrl+Z"},
    {.label = "Redo", .id = kHistoryRedo, .enabled = false, .shortcuts = "Ctrl+Shift+Z; Ctrl+Y"},
};

constexpr MenuRecord kGeoEntries[] = {
    {.label = "Heightfeild", .id = kHeightField},
    {.label = "Import Elevation...", .id = kImportElevation},
    {.label = "Scale ", .id = kScale},
    {.label = "Water level", .id = kWaterLevel},
    {.label = "Smooth OFF ", .id = kSmooth},
    {.label = "-", .id = kSeparatorId},
    {.label = "Draw Area", .id = kDrawArea},
    {.label = "Areas...", .id = kAreaList},
};

constexpr MenuRecord kMoveEntries[] = {
    {.label = "Single", .id = kMoveSingle},
    {.label = "All", .id = kMoveAllCmd},
    {.label = "Select", .id = kMoveSelect},
};

constexpr MenuRecord kObjectEntries[] = {
    {.label = " Edit", .id = kEdit},
    {.label = " Move", .id = kMoveMenu, .submenu = kMoveEntries},
    {.label = "-", .id = kSeparatorId},
    {.label = " Delete", .id = kDelete},
    {.label = "Del Unseen", .id = kDelUnseen},
    {.label = " Kill All", .id = kKillAll},
};

constexpr MenuRecord kViewEntries[] = {
    {.label = "Zoom In", .id = kZoomIn, .shortcuts = "+; =; Ctrl++; Ctrl+="},
    {.label = "Zoom Out", .id = kZoomOut, .shortcuts = "-; Ctrl+-"},
    {.label = "Fit Map", .id = kFitMap, .shortcuts = "Ctrl+0"},
    {.label = "Actual Size", .id = kActualSize, .shortcuts = "Ctrl+1"},
    {.label = "-", .id = kSeparatorId},
    {.label = "Shaded Relief", .id = kRelief, .checkable = true},
    {.label = "-", .id = kSeparatorId},
    {.label = "3D View", .id = kView3d, .shortcuts = "Ctrl+3"},
};

constexpr MenuRecord kHelpEntries[] = {
    {.label = "Contents", .id = kContents},
    {.label = " About", .id = kAbout},
};

constexpr MenuRecord kMenus[] = {
    {.label = " &File ", .id = kFileMenu, .submenu = kFileEntries},
    {.label = "  &Edit  ", .id = kEditMenu, .submenu = kEditEntries},
    {.label = "  &Geo  ", .id = kGeoMenu, .submenu = kGeoEntries},
    {.label = "  &Objects  ", .id = kObjectsMenu, .submenu = kObjectEntries},
    {.label = "  &View  ", .id = kViewMenu, .submenu = kViewEntries},
    {.label = "  &Help ", .id = kHelpMenu, .submenu = kHelpEntries},
};

// Highest type first, so the spinner's index 15 shows "Obj 1".
constexpr const char *kObjectTypeNames[] = {"Obj16", "Obj15", "Obj14", "Obj13", "Obj12", "Obj11",
                                            "Obj10", "Obj 9", "Obj 8", "Obj 7", "Obj 6", "Obj 5",
                                            "Obj 4", "Obj 3", "Obj 2", "Obj 1"};

// A tool's button as its row in the tool table has it; value 1 pressed.
constexpr CommandObject toolButton(PlaceMode mode, int value = 0) {
  const ToolButton &button = kToolRows[mode].button;
  return {.kind = CmdKind::ToggleButton,
          .id = button.id,
          .value = value,
          .label = button.label,
          .tip = button.tip};
}

constexpr CommandObject kToolBar[] = {
    {.kind = CmdKind::Button, .id = kUndo, .label = "Undo", .tip = "Undo Once"},
    {.kind = CmdKind::Button, .id = kKeep, .label = "Keep", .tip = "Keep for undo"},
    {.kind = CmdKind::BlankLabel, .id = kGapAfterKeep, .label = "    "},
    {.kind = CmdKind::Spinner,
     .id = kObjectType,
     .value = 15,
     .label = "Object",
     .items = kObjectTypeNames,
     .tip = "Object Type"},
    {.kind = CmdKind::Button, .id = kHeight, .label = "Height", .tip = "Height above Map"},
    {.kind = CmdKind::ToggleButton,
     .id = kOrder,
     .label = "Order",
     .tip = "Show Object Placment Order"},
    toolButton(SingleObject, 1),
    toolButton(LineFill),
    toolButton(CircleFill),
    toolButton(BoxFill),
    toolButton(Scatter),
    {.kind = CmdKind::BlankLabel, .id = kGapAfterBox, .label = "    "},
    {.kind = CmdKind::Button,
     .id = kFill,
     .label = "Fill",
     .enabled = false,
     .tip = "Fill Shape Type"},
};

constexpr CommandObject kViewBar[] = {
    {.kind = CmdKind::ToggleButton, .id = kCameraAt, .label = " At ", .tip = "Place Camera"},
    {.kind = CmdKind::ToggleButton, .id = kLook, .label = "Look", .tip = "Camera Looks here"},
    {.kind = CmdKind::BlankLabel, .id = kGapAfterLook, .label = "       "},
    {.kind = CmdKind::Button, .id = kRender, .label = "Render", .tip = "Test Render"},
    {.kind = CmdKind::BlankLabel, .id = kGapAfterRender, .label = "       "},
    {.kind = CmdKind::ToggleButton,
     .id = kWaterToggle,
     .label = "Water",
     .tip = "Tolgos Show Water level"},
    {.kind = CmdKind::ToggleButton,
     .id = kViewToggle,
     .label = "View",
     .tip = "Tolgos Show Camera vieiw"},
    {.kind = CmdKind::BlankLabel, .id = kGapAfterView, .label = "       "},
    {.kind = CmdKind::ToggleButton,
     .id = kPaletteToggle,
     .label = "Palette",
     .tip = "Fix TGA Palette"},
    {.kind = CmdKind::BlankLabel, .id = kGapAfterPalette, .label = "       "},
    {.kind = CmdKind::Button, .id = kView3d, .label = " 3D ", .tip = "3D View"},
};

constexpr StatusLabel kStatusLabels[] = {
    {"     Load a height feild    ", kStatusLabel},
    {" X,Y,Z : 00000,00000,00000 ", kReadoutLabel},
    {" 100 % ", kZoomLabel},
};

} // namespace

std::span<const MenuRecord> placeMenus() { return kMenus; }
std::span<const CommandObject> placeToolBar() { return kToolBar; }
std::span<const CommandObject> placeViewBar() { return kViewBar; }
std::span<const StatusLabel> placeStatusLabels() { return kStatusLabels; }

} // namespace hs
