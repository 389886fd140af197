#include "app/dialogs/ScaleUnitsDialogs.h"

#include "app/dialogs/DialogText.h"

namespace hs {

namespace {

constexpr CommandObject kScaleCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = GscalModalDialog::kPadTop, .label = "   "},
    {.kind = CmdKind::BlankLabel, .id = GscalModalDialog::kPadDefault, .label = "         "},
    {.kind = CmdKind::StaticText,
     .id = GscalModalDialog::kLabelX,
     .label = "   Scale X",
     .below = GscalModalDialog::kPadTop},
    {.kind = CmdKind::TextEntry,
     .id = GscalModalDialog::kScaleX,
     .rightOf = GscalModalDialog::kLabelX,
     .below = GscalModalDialog::kPadTop,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = GscalModalDialog::kLabelY,
     .label = "   Scale Y",
     .below = GscalModalDialog::kLabelX},
    {.kind = CmdKind::TextEntry,
     .id = GscalModalDialog::kScaleY,
     .rightOf = GscalModalDialog::kLabelY,
     .below = GscalModalDialog::kScaleX,
     .size = 8},
    {.kind = CmdKind::StaticText,
     .id = GscalModalDialog::kLabelZ,
     .label = "   Scale Z",
     .below = GscalModalDialog::kLabelY},
    {.kind = CmdKind::TextEntry,
     .id = GscalModalDialog::kScaleZ,
     .rightOf = GscalModalDialog::kLabelZ,
     .below = GscalModalDialog::kScaleY,
     .size = 8},
    {.kind = CmdKind::Button,
     .id = GscalModalDialog::kDefault,
     .label = " Default ",
     .rightOf = GscalModalDialog::kPadDefault,
     .below = GscalModalDialog::kScaleZ,
     .tip = "Reset to <1,1,1>"},
    {.kind = CmdKind::BlankLabel,
     .id = GscalModalDialog::kPadCancel,
     .label = "   ",
     .below = GscalModalDialog::kScaleZ},
    {.kind = CmdKind::Button,
     .id = kCancelId,
     .label = " Cancel ",
     .rightOf = GscalModalDialog::kPadCancel,
     .below = GscalModalDialog::kDefault},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = kCancelId,
     .below = GscalModalDialog::kDefault},
};

constexpr CommandObject kUnitsCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = PPlacModalDialog::kPadTop, .label = "             "},
    {.kind = CmdKind::BlankLabel, .id = PPlacModalDialog::kPadLeft, .label = "        "},
    {.kind = CmdKind::BlankLabel, .id = PPlacModalDialog::kPadBottom, .label = " "},
    {.kind = CmdKind::Frame, .id = PPlacModalDialog::kGroup, .label = "Group"},
    {.kind = CmdKind::RadioButton,
     .id = PPlacModalDialog::kMapUnits,
     .value = 1,
     .label = "Map (<x,Color,z>)",
     .frame = PPlacModalDialog::kGroup,
     .rightOf = PPlacModalDialog::kPadLeft},
    {.kind = CmdKind::RadioButton,
     .id = PPlacModalDialog::kUnscaledPov,
     .label = "UnScale POV (<1,1,1>)",
     .frame = PPlacModalDialog::kGroup,
     .rightOf = PPlacModalDialog::kPadLeft,
     .below = PPlacModalDialog::kMapUnits},
    {.kind = CmdKind::RadioButton,
     .id = PPlacModalDialog::kScaledPov,
     .label = "Scaled POV (<Sx,Sy,Sz>)",
     .frame = PPlacModalDialog::kGroup,
     .rightOf = PPlacModalDialog::kPadLeft,
     .below = PPlacModalDialog::kUnscaledPov},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = PPlacModalDialog::kPadTop,
     .below = PPlacModalDialog::kScaledPov},
};

} // namespace

GscalModalDialog::GscalModalDialog(QWidget *parent, const char *title, Document &document)
    : vModalDialog(parent, title), document_(document) {
  addDialogCmds(kScaleCmds);
}

std::span<const CommandObject> GscalModalDialog::commands() { return kScaleCmds; }

void GscalModalDialog::onShown() {
  setText(kScaleX, formatHeight(document_.scaleX()));
  setText(kScaleY, formatHeight(document_.scaleY()));
  setText(kScaleZ, formatHeight(document_.scaleZ()));
  placeFromMainWindow(40, 0);
}

void GscalModalDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == kDefault) {
    // Only the entries change; the scale itself waits for "OK".
    setText(kScaleX, "100");
    setText(kScaleY, "10");
    setText(kScaleZ, "100");
  } else if (id == kOkId) {
    float x = document_.scaleX();
    float y = document_.scaleY();
    float z = document_.scaleZ();
    readFloat(*this, kScaleX, x);
    readFloat(*this, kScaleY, y);
    readFloat(*this, kScaleZ, z);
    document_.setScale(x, y, z);
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
    setValue(kMapUnits + values_.unitsMode, 1);
  placeFromMainWindow(90, 0);
}

void PPlacModalDialog::onCommand(int id, int value, CmdKind kind) {
  if (id >= kMapUnits && id <= kScaledPov)
    values_.unitsMode = id - kMapUnits;
  vModalDialog::onCommand(id, value, kind);
}

} // namespace hs
