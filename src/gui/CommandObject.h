#pragma once

#include <cstddef>
#include <span>

namespace hs {

// What kind of control a record builds, and what kind of control an event
// comes from.
enum class CmdKind {
  Button,
  ToggleButton,
  BlankLabel, // a label of blanks that only makes room
  Spinner,    // a spinner over a text list; its value is the index shown
  CheckBox,
  RadioButton, // radio buttons in one frame (or all outside frames) are one group
  TextEntry,
  StaticText,
  Frame, // a group frame; controls name it in their `frame` field
  Menu,  // only as the kind of an event: a menu entry was chosen
};

// Attribute bits of a CommandObject.
inline constexpr unsigned kDefaultButton = 1u; // the button Enter presses
inline constexpr unsigned kMainMessage = 2u;   // the text a dialog's message replaces

// Ids the layer itself knows.
inline constexpr int kOkId = 32152;
inline constexpr int kCancelId = 32150;
inline constexpr int kExitId = 32108;
inline constexpr int kSeparatorId = 32090;

// One control of a command bar or a dialog. Tables of these are static data,
// so every field is a literal type.
struct CommandObject {
  CmdKind kind = CmdKind::Button;
  int id = 0;
  int value = 0;          // initial value: 1 pressed / ticked / selected; spinner index
  const char *label = ""; // label, or initial text of an entry
  std::span<const char *const> items = {}; // spinner texts
  unsigned attributes = 0;
  bool enabled = true;
  int frame = 0;   // id of the group frame holding the control, 0 for none
  int rightOf = 0; // id of the control this one stands right of, 0 for none
  int below = 0;   // id of the control this one stands below, 0 for none
  int size = 0;    // width of a text entry in characters
  const char *tip = nullptr;
};

// One menu entry. A label "-" is a separator line. An entry with a submenu
// opens it; a top-level record is a menu of the menu bar.
struct MenuRecord {
  const char *label = "";
  int id = 0;
  bool enabled = true;
  bool checked = false;
  bool checkable = false; // a check mark the user's choice turns on and off
  std::span<const MenuRecord> submenu = {};
  const char *shortcuts = nullptr; // key sequences separated by "; ", e.g. "Ctrl+0; 0"
};

// One label of the status bar.
struct StatusLabel {
  const char *text = "";
  int id = 0;
};

} // namespace hs
