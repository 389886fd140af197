#include "app/dialogs/WaterFillDialogs.h"

#include "app/dialogs/DialogText.h"
#include "gui/vInteraction.h"

#include <string>
#include <utility>

namespace hs {

namespace {

constexpr CommandObject kWaterCmds[] = {
    {.kind = CmdKind::StaticText,
     .id = GwatDialog::kPrompt1,
     .label = "          Choose a Water Level with ",
     .attributes = kMainMessage},
    {.kind = CmdKind::StaticText,
     .id = GwatDialog::kPrompt2,
     .label = "          the mouse on the Map Now!",
     .below = GwatDialog::kPrompt1},
    {.kind = CmdKind::StaticText,
     .id = GwatDialog::kPrompt3,
     .label = "        OR Type a value in (Color Units)",
     .below = GwatDialog::kPrompt2},
    {.kind = CmdKind::BlankLabel,
     .id = GwatDialog::kPadLevel,
     .label = "      ",
     .below = GwatDialog::kPrompt3},
    {.kind = CmdKind::TextEntry,
     .id = GwatDialog::kLevel,
     .rightOf = GwatDialog::kPadLevel,
     .below = GwatDialog::kPrompt3,
     .size = 15},
    {.kind = CmdKind::StaticText,
     .id = GwatDialog::kRange,
     .label = "0-255",
     .rightOf = GwatDialog::kLevel,
     .below = GwatDialog::kPrompt3},
    {.kind = CmdKind::Button,
     .id = kCancelId,
     .label = " Cancel ",
     .rightOf = GwatDialog::kPadLevel,
     .below = GwatDialog::kLevel},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = kCancelId,
     .below = GwatDialog::kLevel},
};

constexpr CommandObject kFillCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = FillDialog::kPadLeft, .label = "    "},
    {.kind = CmdKind::BlankLabel, .id = FillDialog::kPadTop, .label = "   "},
    {.kind = CmdKind::StaticText,
     .id = FillDialog::kCountLabel,
     .label = "MUMBER of OBJECTS to PLACE",
     .rightOf = FillDialog::kPadTop,
     .below = FillDialog::kPadTop},
    {.kind = CmdKind::TextEntry,
     .id = FillDialog::kCount,
     .label = " 10",
     .rightOf = FillDialog::kPadLeft,
     .below = FillDialog::kCountLabel,
     .size = 10},
    {.kind = CmdKind::Button,
     .id = FillDialog::kSet,
     .label = "Set",
     .rightOf = FillDialog::kCount,
     .below = FillDialog::kCountLabel,
     .tip = "Set the number of objects"},
    {.kind = CmdKind::CheckBox,
     .id = FillDialog::kRandomType,
     .label = "Randon Object <= Selected Type",
     .rightOf = FillDialog::kPadLeft,
     .below = FillDialog::kSet},
    {.kind = CmdKind::CheckBox,
     .id = FillDialog::kRandomPlace,
     .label = " Randomly place",
     .rightOf = FillDialog::kPadLeft,
     .below = FillDialog::kRandomType},
    {.kind = CmdKind::BlankLabel,
     .id = FillDialog::kPadHide,
     .label = "           ",
     .below = FillDialog::kRandomPlace},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " Hide ",
     .attributes = kDefaultButton,
     .rightOf = FillDialog::kPadHide,
     .below = FillDialog::kPadHide},
};

} // namespace

GwatDialog::GwatDialog(QWidget *parent, const char *title, ProgramValues &values,
                       Document &document, WindowServices &window,
                       std::function<void(float)> setLevel)
    : vDialog(parent, title), values_(values), document_(document), window_(window),
      setLevel_(std::move(setLevel)) {
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

void GwatDialog::showRange(int highest) { setText(kRange, "0-" + std::to_string(highest)); }

void GwatDialog::onShown() {
  setText(kLevel, formatHeight(document_.waterLevel()));
  placeFromMainWindow(40, 0);
}

void GwatDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == kOkId)
    window_.asStep("Water Level", [this] {
      float level = document_.waterLevel();
      if (!readFloat(*this, kLevel, level))
        return;
      if (setLevel_)
        setLevel_(level);
      else
        document_.setWaterLevel(level);
    });
  // A tool or mode chosen while the dialog stood open is the user's newer
  // choice; only a pick still waiting gives the mode before it back, with
  // its tool buttons.
  const bool ends = (id == kOkId || id == kCancelId) && values_.modes.mode() == GetWater;
  if (ends)
    values_.modes.endPick();
  vDialog::onCommand(id, value, kind);
  if (ends)
    window_.showToolsOf(values_.modes.mode());
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
  setText(kCount, formatCount(values_.fillCount));
  // Only ticked here, never cleared: the boxes otherwise keep what the user left.
  if (values_.fillRandomPlace != 0)
    setValue(kRandomPlace, 1);
  if (values_.fillRandomType == 1)
    setValue(kRandomType, 1);
  placeFromMainWindow(275, 0);
}

static_assert(kMaxFillCount == 10'000'000, "kFillCountMessage names the limit");

bool FillDialog::readCount() {
  int count = values_.fillCount;
  readInt(*this, kCount, count);
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
  case kRandomType:
    values_.fillRandomType = value != 0 ? 1 : 0;
    break;
  case kRandomPlace:
    values_.fillRandomPlace = value != 0 ? 1 : 0;
    break;
  case kSet:
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
