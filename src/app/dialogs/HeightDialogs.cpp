#include "app/dialogs/HeightDialogs.h"

#include "app/dialogs/DialogText.h"

#include <array>
#include <cstdio>
#include <iterator>

namespace hs {

namespace {

constexpr const char *kThisObject = "This object";

constexpr CommandObject kCameraCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = CatDialog::kPadLeft, .label = "      "},
    {.kind = CmdKind::BlankLabel, .id = CatDialog::kPadOk, .label = "             "},
    {.kind = CmdKind::BlankLabel, .id = CatDialog::kPadCheck, .label = "    "},
    {.kind = CmdKind::StaticText,
     .id = CatDialog::kUnitsNote,
     .label = "Using POV Units",
     .rightOf = CatDialog::kPadLeft},
    {.kind = CmdKind::StaticText,
     .id = CatDialog::kHeadline,
     .label = "      Height above Ground! ",
     .below = CatDialog::kUnitsNote},
    {.kind = CmdKind::TextEntry,
     .id = CatDialog::kHeight,
     .label = "1",
     .rightOf = CatDialog::kPadLeft,
     .below = CatDialog::kHeadline,
     .size = 10},
    {.kind = CmdKind::CheckBox,
     .id = CatDialog::kAboveWater,
     .value = 1,
     .label = "Use Water level ",
     .rightOf = CatDialog::kPadCheck,
     .below = CatDialog::kHeight},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = CatDialog::kPadOk,
     .below = CatDialog::kAboveWater},
};

constexpr CommandObject kLookCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = CLatDialog::kPadLeft, .label = "      "},
    {.kind = CmdKind::BlankLabel, .id = CLatDialog::kPadOk, .label = "             "},
    {.kind = CmdKind::BlankLabel, .id = CLatDialog::kPadCheck, .label = "    "},
    {.kind = CmdKind::StaticText,
     .id = CLatDialog::kUnitsNote,
     .label = "using basic values",
     .rightOf = CLatDialog::kPadLeft},
    {.kind = CmdKind::StaticText,
     .id = CLatDialog::kHeadline,
     .label = "      Height above Ground! ",
     .below = CLatDialog::kUnitsNote},
    {.kind = CmdKind::TextEntry,
     .id = CLatDialog::kHeight,
     .label = " 0",
     .rightOf = CLatDialog::kPadLeft,
     .below = CLatDialog::kHeadline,
     .size = 10},
    {.kind = CmdKind::CheckBox,
     .id = CLatDialog::kAboveGround,
     .value = 1,
     .label = "Use Ground ",
     .rightOf = CLatDialog::kPadCheck,
     .below = CLatDialog::kHeight},
    {.kind = CmdKind::CheckBox,
     .id = CLatDialog::kAboveWater,
     .label = "Use Water level ",
     .rightOf = CLatDialog::kPadCheck,
     .below = CLatDialog::kAboveGround},
    {.kind = CmdKind::CheckBox,
     .id = CLatDialog::kAboveCamera,
     .label = "Use camera level",
     .rightOf = CLatDialog::kPadCheck,
     .below = CLatDialog::kAboveWater},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = CLatDialog::kPadOk,
     .below = CLatDialog::kAboveCamera},
};

// The look-at table with the object's frame between the check boxes and
// " OK ", which moves below the frame.
constexpr auto kObjectCmds = [] {
  using O = CLatObjectDialog;
  std::array<CommandObject, std::size(kLookCmds) + 5> t{};
  std::size_t n = 0;
  for (const CommandObject &r : kLookCmds)
    if (r.id != kOkId)
      t[n++] = r;
  t[n++] = {.kind = CmdKind::Frame,
            .id = O::kObjectFrame,
            .label = kThisObject,
            .rightOf = CLatDialog::kPadCheck,
            .below = CLatDialog::kAboveCamera};
  t[n++] = {.kind = CmdKind::StaticText,
            .id = O::kTurnLabel,
            .label = "Turn (degrees)",
            .frame = O::kObjectFrame};
  t[n++] = {.kind = CmdKind::TextEntry,
            .id = O::kTurn,
            .frame = O::kObjectFrame,
            .rightOf = O::kTurnLabel,
            .size = 10};
  t[n++] = {.kind = CmdKind::StaticText,
            .id = O::kSizeLabel,
            .label = "Size",
            .frame = O::kObjectFrame,
            .below = O::kTurnLabel};
  t[n++] = {.kind = CmdKind::TextEntry,
            .id = O::kSize,
            .frame = O::kObjectFrame,
            .rightOf = O::kTurnLabel,
            .below = O::kTurn,
            .size = 10};
  CommandObject ok = kLookCmds[std::size(kLookCmds) - 1];
  ok.below = O::kObjectFrame;
  t[n++] = ok;
  return t;
}();

} // namespace

CatDialog::CatDialog(QWidget *parent, const char *title, ProgramValues &values)
    : vModalDialog(parent, title), values_(values) {
  addDialogCmds(kCameraCmds);
}

std::span<const CommandObject> CatDialog::commands() { return kCameraCmds; }

void CatDialog::onShown() {
  // The check box keeps what the user left; it starts ticked, as the camera
  // starts above the water line.
  setText(kHeight, formatHeight(values_.cameraHeight));
  placeFromMainWindow(75, 0);
}

void CatDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == kAboveWater) {
    setText(kHeadline,
            value != 0 ? "      Height above Water line! " : "      Height above Ground!  ");
  } else if (id == kOkId) {
    readFloat(*this, kHeight, values_.cameraHeight);
    values_.cameraHeightMode = getValue(kAboveWater) != 0 ? AboveWater : AboveGround;
  }
  vModalDialog::onCommand(id, value, kind);
}

CLatDialog::CLatDialog(QWidget *parent, const char *title, ProgramValues &values)
    : CLatDialog(parent, title, values, kLookCmds) {}

CLatDialog::CLatDialog(QWidget *parent, const char *title, ProgramValues &values,
                       std::span<const CommandObject> table)
    : vModalDialog(parent, title), values_(values) {
  addDialogCmds(table);
}

std::span<const CommandObject> CLatDialog::commands() { return kLookCmds; }

void CLatDialog::onShown() {
  setText(kHeight, formatHeight(values_.placeHeight));
  setValue(kAboveGround, values_.placeHeightMode == AboveGround ? 1 : 0);
  setValue(kAboveWater, values_.placeHeightMode == AboveWater ? 1 : 0);
  setValue(kAboveCamera, values_.placeHeightMode == AboveCamera ? 1 : 0);
  placeFromMainWindow(75, 0);
}

void CLatDialog::onCommand(int id, int value, CmdKind kind) {
  switch (id) {
  case kAboveWater:
    setText(kHeadline, "      Height above Water line! ");
    setValue(kAboveCamera, 0);
    setValue(kAboveGround, 0);
    break;
  case kAboveCamera:
    setText(kHeadline, "      Height above CAMERA! ");
    setValue(kAboveWater, 0);
    setValue(kAboveGround, 0);
    break;
  case kAboveGround:
    setText(kHeadline, "      Height above Ground! ");
    setValue(kAboveWater, 0);
    setValue(kAboveCamera, 0);
    break;
  case kOkId:
    readFloat(*this, kHeight, values_.placeHeight);
    if (getValue(kAboveWater) != 0)
      values_.placeHeightMode = AboveWater;
    else if (getValue(kAboveCamera) != 0)
      values_.placeHeightMode = AboveCamera;
    else if (getValue(kAboveGround) != 0)
      values_.placeHeightMode = AboveGround;
    break;
  default:
    break;
  }
  vModalDialog::onCommand(id, value, kind);
}

CLatObjectDialog::CLatObjectDialog(QWidget *parent, const char *title, ProgramValues &values)
    : CLatDialog(parent, title, values, kObjectCmds) {}

std::span<const CommandObject> CLatObjectDialog::commands() { return kObjectCmds; }

int CLatObjectDialog::showForObject(ScItem &item, int type, int index) {
  item_ = &item;
  // The type as the tool bar's spinner names it, the number as people count.
  std::array<char, 48> name{};
  std::snprintf(name.data(), name.size(), "Obj%2d number %d", type + 1, index + 1);
  name_ = name.data();
  const int result = showModalDialog("");
  item_ = nullptr;
  return result;
}

void CLatObjectDialog::onShown() {
  CLatDialog::onShown();
  setSensitive(kObjectFrame, item_ != nullptr);
  setText(kObjectFrame, item_ != nullptr ? name_ : std::string(kThisObject));
  setText(kTurn, item_ != nullptr ? formatHeight(item_->turn) : "");
  setText(kSize, item_ != nullptr ? formatHeight(item_->size) : "");
}

void CLatObjectDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == kOkId && item_ != nullptr) {
    readFloat(*this, kTurn, item_->turn);
    float size = item_->size;
    if (readFloat(*this, kSize, size) && isValidSize(size))
      item_->size = size;
  }
  CLatDialog::onCommand(id, value, kind);
}

} // namespace hs
