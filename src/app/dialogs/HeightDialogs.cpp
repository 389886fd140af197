#include "app/dialogs/HeightDialogs.h"

#include "app/dialogs/DialogText.h"

namespace hs {

namespace {

constexpr CommandObject kCameraCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = 1003, .label = "      "},
    {.kind = CmdKind::BlankLabel, .id = 1004, .label = "             "},
    {.kind = CmdKind::BlankLabel, .id = 1005, .label = "    "},
    {.kind = CmdKind::StaticText, .id = 1001, .label = "Using POV Units", .rightOf = 1003},
    {.kind = CmdKind::StaticText,
     .id = 1000,
     .label = "      Height above Ground! ",
     .below = 1001},
    {.kind = CmdKind::TextEntry,
     .id = 1007,
     .label = "1",
     .rightOf = 1003,
     .below = 1000,
     .size = 10},
    {.kind = CmdKind::CheckBox,
     .id = 1006,
     .value = 1,
     .label = "Use Water level ",
     .rightOf = 1005,
     .below = 1007},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = 1004,
     .below = 1006},
};

constexpr CommandObject kLookCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = 1003, .label = "      "},
    {.kind = CmdKind::BlankLabel, .id = 1004, .label = "             "},
    {.kind = CmdKind::BlankLabel, .id = 1005, .label = "    "},
    {.kind = CmdKind::StaticText, .id = 1001, .label = "using basic values", .rightOf = 1003},
    {.kind = CmdKind::StaticText,
     .id = 1000,
     .label = "      Height above Ground! ",
     .below = 1001},
    {.kind = CmdKind::TextEntry,
     .id = 1009,
     .label = " 0",
     .rightOf = 1003,
     .below = 1000,
     .size = 10},
    {.kind = CmdKind::CheckBox,
     .id = 1008,
     .value = 1,
     .label = "Use Ground ",
     .rightOf = 1005,
     .below = 1009},
    {.kind = CmdKind::CheckBox,
     .id = 1006,
     .label = "Use Water level ",
     .rightOf = 1005,
     .below = 1008},
    {.kind = CmdKind::CheckBox,
     .id = 1007,
     .label = "Use camera level",
     .rightOf = 1005,
     .below = 1006},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = 1004,
     .below = 1007},
};

} // namespace

CatDialog::CatDialog(QWidget *parent, const char *title, ProgramValues &values)
    : vModalDialog(parent, title), values_(values) {
  addDialogCmds(kCameraCmds);
}

std::span<const CommandObject> CatDialog::commands() { return kCameraCmds; }

void CatDialog::onShown() {
  // The check box keeps what the user left; it starts ticked, as the camera
  // starts above the water line.
  setText(1007, formatHeight(values_.cameraHeight));
  placeFromMainWindow(75, 0);
}

void CatDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == 1006) {
    setText(1000, value != 0 ? "      Height above Water line! " : "      Height above Ground!  ");
  } else if (id == kOkId) {
    readFloat(*this, 1007, values_.cameraHeight);
    values_.cameraHeightMode = getValue(1006) != 0 ? AboveWater : AboveGround;
  }
  vModalDialog::onCommand(id, value, kind);
}

CLatDialog::CLatDialog(QWidget *parent, const char *title, ProgramValues &values)
    : vModalDialog(parent, title), values_(values) {
  addDialogCmds(kLookCmds);
}

std::span<const CommandObject> CLatDialog::commands() { return kLookCmds; }

void CLatDialog::onShown() {
  setText(1009, formatHeight(values_.placeHeight));
  setValue(1008, values_.placeHeightMode == AboveGround ? 1 : 0);
  setValue(1006, values_.placeHeightMode == AboveWater ? 1 : 0);
  setValue(1007, values_.placeHeightMode == AboveCamera ? 1 : 0);
  placeFromMainWindow(75, 0);
}

void CLatDialog::onCommand(int id, int value, CmdKind kind) {
  switch (id) {
  case 1006:
    setText(1000, "      Height above Water line! ");
    setValue(1007, 0);
    setValue(1008, 0);
    break;
  case 1007:
    setText(1000, "      Height above CAMERA! ");
    setValue(1006, 0);
    setValue(1008, 0);
    break;
  case 1008:
    setText(1000, "      Height above Ground! ");
    setValue(1006, 0);
    setValue(1007, 0);
    break;
  case kOkId:
    readFloat(*this, 1009, values_.placeHeight);
    if (getValue(1006) != 0)
      values_.placeHeightMode = AboveWater;
    else if (getValue(1007) != 0)
      values_.placeHeightMode = AboveCamera;
    else if (getValue(1008) != 0)
      values_.placeHeightMode = AboveGround;
    break;
  default:
    break;
  }
  vModalDialog::onCommand(id, value, kind);
}

} // namespace hs
