// The main window's modes and tools: the tool buttons, the camera and water
// picks, the Objects menu's modes, and the dialogs of the Geo menu, of heights,
// fill and scatter.
#include "app/AreasWindow.h"
#include "app/PlaceCanvasPane.h"
#include "app/PlaceCmdWindow.h"
#include "app/PlaceTables.h"
#include "app/dialogs/HeightDialogs.h"
#include "app/dialogs/ScaleUnitsDialogs.h"
#include "app/dialogs/ScatterDialog.h"
#include "app/dialogs/WaterFillDialogs.h"
#include "core/Document.h"
#include "placement/Mouse.h"
#include "placement/Readout.h"
#include "placement/Tool.h"

namespace hs {

// Any command ends a camera or look-at pick that has not been made.
void PlaceCmdWindow::endUnmadePick() {
  if (values_.modes.mode() == PlaceCamera || values_.modes.mode() == PointCamera) {
    values_.modes.endPick();
    setValue(kCameraAt, 0);
    setValue(kLook, 0);
  }
}

void PlaceCmdWindow::followMode(ModeChange how) {
  const ToolRow &row = *toolRow(values_.modes.mode());
  if (row.mode != DrawArea && !scene().areaDraft.empty())
    keyIn(scene(), values_, Key::Escape, false); // an area left half drawn is dropped
  if (how == ModeChange::Selected) {
    showToolsOf(row.mode);
  } else if (how == ModeChange::Entered) {
    setStatusText(row.entry.text);
    if (row.releasesButtons)
      setToolButtons(0);
  }
  // A pick's return shows what its own end asks for.
}

void PlaceCmdWindow::toolCommand(int mode) {
  if (!values_.modes.selectTool(mode))
    return;
  fillDialog_->followMode();
  if (mode == Scatter)
    showScatterDialog();
}

void PlaceCmdWindow::pickCommand(int id, int value) {
  if (value != 0) {
    values_.modes.enter(id == kCameraAt ? PlaceCamera : PointCamera);
    if (id == kLook)
      setValue(kCameraAt, 0);
  } else {
    values_.modes.endPick();
    setValue(id, 0);
    showModeLabel(values_.modes.mode());
  }
}

void PlaceCmdWindow::fillCommand() {
  if (values_.modes.mode() == Scatter)
    showScatterDialog();
  else if (values_.modes.mode() == DrawArea)
    showAreasWindow();
  else
    fillDialog_->showForMode();
}

void PlaceCmdWindow::showUnitsDialog() {
  if (!unitsDialog_->isDisplayed())
    unitsDialog_->showModalDialog("Display Unit Values");
}

void PlaceCmdWindow::showScaleDialog() {
  if (!scaleDialog_->isDisplayed())
    scaleDialog_->showModalDialog("Scale");
}

void PlaceCmdWindow::waterLevelCommand() { waterDialog_->startPick(); }

void PlaceCmdWindow::smoothCommand() {
  document_.setSmoothOn(document_.smoothOn() != 0 ? 0 : 1);
  setStatusText(document_.smoothOn() != 0 ? "Smooth HF ON" : "Smooth HF OFF");
}

void PlaceCmdWindow::setToolButtons(int n) {
  for (const ToolRow &row : toolRows())
    if (row.button.id != 0)
      setValue(row.button.id, row.mode == n - 1 ? 1 : 0);
  setSensitive(kFill, n != SingleObject + 1);
  showModeStatus(n);
}

void PlaceCmdWindow::showModeStatus(int n) {
  if (const char *label = modeLabel(n - 1))
    setString(kStatusLabel, label);
}

void PlaceCmdWindow::endCameraPick(int which) {
  vModalDialog *dialog = nullptr;
  if (which == 0) {
    setValue(kCameraAt, 0);
    dialog = cameraDialog_.get();
  } else {
    setValue(kLook, 0);
    dialog = lookDialog_.get();
  }
  if (!dialog->isDisplayed())
    dialog->showModalDialog("");
}

void PlaceCmdWindow::endWaterPick(int level) {
  waterDialog_->cancelDialog();
  finishWaterPick(scene(), values_, level);
  showToolsOf(values_.modes.mode());
}

void PlaceCmdWindow::showScatterDialog() {
  if (!scatterDialog_->isDisplayed())
    scatterDialog_->showDialog("");
}

void PlaceCmdWindow::showAreasWindow() {
  if (!areasWindow_)
    areasWindow_ = std::make_unique<AreasWindow>(
        this, document_,
        [this](const char *step, const std::function<void()> &change) { asStep(step, change); });
  areasWindow_->show();
}

void PlaceCmdWindow::showObjectHeightDialog() {
  if (!objectHeightDialog_->isDisplayed())
    objectHeightDialog_->showModalDialog("");
}

void PlaceCmdWindow::showObjectEditDialog(ScItem &picked, int type, int index) {
  if (!objectHeightDialog_->isDisplayed())
    objectHeightDialog_->showForObject(picked, type, index);
}

} // namespace hs
