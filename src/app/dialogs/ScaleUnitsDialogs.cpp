#include "app/dialogs/ScaleUnitsDialogs.h"

#include "app/dialogs/DialogText.h"

namespace hs {

namespace {

constexpr CommandObject kScaleCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = 1007, .label = "   "},
    {.kind = CmdKind::BlankLabel, .id = 1009, .label = "         "},
    {.kind = CmdKind::StaticText, .id = 1000, .label = "   Scale X", .below = 1007},
    {.kind = CmdKind::TextEntry, .id = 1003, .rightOf = 1000, .below = 1007, .size = 8},
    {.kind = CmdKind::StaticText, .id = 1001, .label = "   Scale Y", .below = 1000},
    {.kind = CmdKind::TextEntry, .id = 1004, .rightOf = 1001, .below = 1003, .size = 8},
    {.kind = CmdKind::StaticText, .id = 1002, .label = "   Scale Z", .below = 1001},
    {.kind = CmdKind::TextEntry, .id = 1005, .rightOf = 1002, .below = 1004, .size = 8},
    {.kind = CmdKind::Button,
     .id = 1006,
     .label = " Default ",
     .rightOf = 1009,
     .below = 1005,
     .tip = "Reset to <1,1,1>"},
    {.kind = CmdKind::BlankLabel, .id = 1008, .label = "   ", .below = 1005},
    {.kind = CmdKind::Button, .id = kCancelId, .label = " Cancel ", .rightOf = 1008, .below = 1006},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = kCancelId,
     .below = 1006},
};

constexpr CommandObject kUnitsCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = 1000, .label = "             "},
    {.kind = CmdKind::BlankLabel, .id = 1001, .label = "        "},
    {.kind = CmdKind::BlankLabel, .id = 1002, .label = " "},
    {.kind = CmdKind::Frame, .id = 1003, .label = "Group"},
    {.kind = CmdKind::RadioButton,
     .id = 1004,
     .value = 1,
     .label = "Map (<x,Color,z>)",
     .frame = 1003,
     .rightOf = 1001},
    {.kind = CmdKind::RadioButton,
     .id = 1005,
     .label = "UnScale POV (<1,1,1>)",
     .frame = 1003,
     .rightOf = 1001,
     .below = 1004},
    {.kind = CmdKind::RadioButton,
     .id = 1006,
     .label = "Scaled POV (<Sx,Sy,Sz>)",
     .frame = 1003,
     .rightOf = 1001,
     .below = 1005},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = 1000,
     .below = 1006},
};

} // namespace

GscalModalDialog::GscalModalDialog(QWidget *parent, const char *title, ProgramValues &values)
    : vModalDialog(parent, title), values_(values) {
  addDialogCmds(kScaleCmds);
}

std::span<const CommandObject> GscalModalDialog::commands() { return kScaleCmds; }

void GscalModalDialog::onShown() {
  setText(1003, formatHeight(values_.scaleX));
  setText(1004, formatHeight(values_.scaleY));
  setText(1005, formatHeight(values_.scaleZ));
  placeFromMainWindow(40, 0);
}

void GscalModalDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == 1006) {
    // Only the entries change; the scale itself waits for "OK".
    setText(1003, "100");
    setText(1004, "10");
    setText(1005, "100");
  } else if (id == kOkId) {
    readFloat(*this, 1003, values_.scaleX);
    readFloat(*this, 1004, values_.scaleY);
    readFloat(*this, 1005, values_.scaleZ);
  }
  vModalDialog::onCommand(id, value, kind);
}

PPlacModalDialog::PPlacModalDialog(QWidget *parent, const char *title, ProgramValues &values)
    : vModalDialog(parent, title), values_(values) {
  addDialogCmds(kUnitsCmds);
}

std::span<const CommandObject> PPlacModalDialog::commands() { return kUnitsCmds; }

void PPlacModalDialog::onShown() {
  if (values_.unitsMode >= 0 && values_.unitsMode <= 2)
    setValue(1004 + values_.unitsMode, 1);
  placeFromMainWindow(90, 0);
}

void PPlacModalDialog::onCommand(int id, int value, CmdKind kind) {
  if (id >= 1004 && id <= 1006)
    values_.unitsMode = id - 1004;
  vModalDialog::onCommand(id, value, kind);
}

} // namespace hs
