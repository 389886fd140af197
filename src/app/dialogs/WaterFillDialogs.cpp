#include "app/dialogs/WaterFillDialogs.h"

#include "app/dialogs/DialogText.h"
#include "gui/vInteraction.h"

namespace hs {

namespace {

constexpr CommandObject kWaterCmds[] = {
    {.kind = CmdKind::StaticText,
     .id = 1000,
     .label = "          Choose a Water Level with ",
     .attributes = kMainMessage},
    {.kind = CmdKind::StaticText,
     .id = 1001,
     .label = "          the mouse on the Map Now!",
     .below = 1000},
    {.kind = CmdKind::StaticText,
     .id = 1002,
     .label = "        OR Type a value in (Color Units)",
     .below = 1001},
    {.kind = CmdKind::BlankLabel, .id = 1003, .label = "      ", .below = 1002},
    {.kind = CmdKind::TextEntry, .id = 1004, .rightOf = 1003, .below = 1002, .size = 15},
    {.kind = CmdKind::Button, .id = kCancelId, .label = " Cancel ", .rightOf = 1003, .below = 1004},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = kCancelId,
     .below = 1004},
};

constexpr CommandObject kFillCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = 1000, .label = "    "},
    {.kind = CmdKind::BlankLabel, .id = 1002, .label = "   "},
    {.kind = CmdKind::StaticText,
     .id = 1004,
     .label = "MUMBER of OBJECTS to PLACE",
     .rightOf = 1002,
     .below = 1002},
    {.kind = CmdKind::TextEntry,
     .id = 1005,
     .label = " 10",
     .rightOf = 1000,
     .below = 1004,
     .size = 10},
    {.kind = CmdKind::Button,
     .id = 1009,
     .label = "Set",
     .rightOf = 1005,
     .below = 1004,
     .tip = "Set the number of objects"},
    {.kind = CmdKind::CheckBox,
     .id = 1007,
     .label = "Randon Object <= Selected Type",
     .rightOf = 1000,
     .below = 1009},
    {.kind = CmdKind::CheckBox,
     .id = 1010,
     .label = " Randomly place",
     .rightOf = 1000,
     .below = 1007},
    {.kind = CmdKind::BlankLabel, .id = 1001, .label = "           ", .below = 1010},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " Hide ",
     .attributes = kDefaultButton,
     .rightOf = 1001,
     .below = 1001},
};

} // namespace

GwatDialog::GwatDialog(QWidget *parent, const char *title, ProgramValues &values,
                       WindowServices &window)
    : vDialog(parent, title), values_(values), window_(window) {
  addDialogCmds(kWaterCmds);
}

std::span<const CommandObject> GwatDialog::commands() { return kWaterCmds; }

void GwatDialog::startPick() {
  // A second start while picking must not remember GetWater itself, or the
  // pick could never give the tool back.
  values_.modes.startWaterPick();
  if (!isDisplayed())
    showDialog("");
}

void GwatDialog::onShown() {
  setText(1004, formatHeight(values_.waterLevel));
  placeFromMainWindow(40, 0);
}

void GwatDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == kOkId)
    readFloat(*this, 1004, values_.waterLevel);
  // A tool or mode chosen while the dialog stood open is the user's newer
  // choice; only a pick still waiting gives the mode before it back, with
  // its tool buttons.
  const bool ends = (id == kOkId || id == kCancelId) && values_.modes.mode() == GetWater;
  if (ends)
    values_.modes.endPick();
  vDialog::onCommand(id, value, kind);
  if (ends)
    window_.setToolButtons(values_.modes.mode() + 1);
}

FillDialog::FillDialog(QWidget *parent, const char *title, ProgramValues &values)
    : vDialog(parent, title), values_(values) {
  addDialogCmds(kFillCmds);
}

std::span<const CommandObject> FillDialog::commands() { return kFillCmds; }

const char *FillDialog::titleForMode(int mode) {
  switch (mode) {
  case LineFill:
    return "Fill Line";
  case BoxFill:
    return "Fill BOX";
  case CircleFill:
    return "Fill Circle";
  default:
    return nullptr;
  }
}

bool FillDialog::showForMode() {
  const char *title = titleForMode(values_.modes.mode());
  if (isDisplayed() || title == nullptr)
    return false;
  showDialog("");
  setDialogTitle(title);
  return true;
}

void FillDialog::followMode() {
  if (!isDisplayed())
    return;
  if (const char *title = titleForMode(values_.modes.mode()))
    setDialogTitle(title);
  else if (values_.modes.mode() == SingleObject)
    cancelDialog();
}

void FillDialog::onShown() {
  setText(1005, formatCount(values_.fillCount));
  // Only ticked here, never cleared: the boxes otherwise keep what the user left.
  if (values_.fillRandomPlace != 0)
    setValue(1010, 1);
  if (values_.fillRandomType == 1)
    setValue(1007, 1);
  placeFromMainWindow(275, 0);
}

static_assert(kMaxFillCount == 10'000'000, "kFillCountMessage names the limit");

bool FillDialog::readCount() {
  int count = values_.fillCount;
  readInt(*this, 1005, count);
  // More objects than a scene can hold would only keep the window busy: a
  // circle skips its off-map points, so it might never reach the limit.
  if (count > kMaxFillCount) {
    vNoticeDialog(this).notice(kFillCountMessage);
    return false;
  }
  values_.fillCount = count;
  return true;
}

void FillDialog::onCommand(int id, int value, CmdKind kind) {
  switch (id) {
  case 1007:
    values_.fillRandomType = value != 0 ? 1 : 0;
    break;
  case 1010:
    values_.fillRandomPlace = value != 0 ? 1 : 0;
    break;
  case 1009:
  case kOkId:
    // A refused count keeps the dialog open, so what it shows can be put right.
    if (!readCount())
      return;
    break;
  default:
    break;
  }
  vDialog::onCommand(id, value, kind);
}

} // namespace hs
