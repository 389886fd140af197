#include "placement/Tool.h"

#include <iterator>

namespace hs {

// Each tool lives in the file of its kind; a new mode adds its tool there and
// a row here.
const Tool &singleTool();
const Tool &lineFillTool();
const Tool &boxFillTool();
const Tool &circleFillTool();
const Tool &cameraPickTool();
const Tool &lookAtPickTool();
const Tool &waterPickTool();
const Tool &deleteTool();
const Tool &editTool();
const Tool &moveTool();
const Tool &moveAllTool();
const Tool &selectMoveTool();
const Tool &scatterTool();

namespace {

struct ModeRow {
  int mode;
  const char *entry; // the status text when the mode is entered
  const char *label; // the status text after an operation, if any
  const Tool &(*tool)();
};

// By mode number.
constexpr ModeRow kModes[] = {
    {SingleObject, "Place Single Object", "Place Single Object", singleTool},
    {LineFill, "Place Objects LINE", "Place Objects LINE", lineFillTool},
    {BoxFill, "Place Objects BOX", "Place Objects BOX", boxFillTool},
    {CircleFill, "Place Objects Circle", "Place Objects Circle", circleFillTool},
    {PlaceCamera, " Place Camera ", nullptr, cameraPickTool},
    {PointCamera, " Point camera at", nullptr, lookAtPickTool},
    {GetWater, " Get Water Level", nullptr, waterPickTool},
    {DeleteObjects, " DELETE Object", "Delete Objects", deleteTool},
    {EditObject, " Edit Object", "Edit Objects", editTool},
    {MoveObject, " Move Object", "Move Object", moveTool},
    {MoveAll, " Move All Objects", "Move All Objects", moveAllTool},
    {SelectMove, "Select & Move Objects", "Select/Move Objects", selectMoveTool},
    {Scatter, "Scatter Objects", "Scatter Objects", scatterTool},
};

constexpr bool inModeOrder() {
  for (int i = 0; i < kModeCount; ++i)
    if (kModes[i].mode != i)
      return false;
  return true;
}
static_assert(std::size(kModes) == kModeCount && inModeOrder());

const ModeRow *rowOf(int mode) {
  if (mode < 0 || mode >= kModeCount)
    return nullptr;
  return &kModes[mode];
}

} // namespace

const Tool &toolFor(int mode) {
  const ModeRow *row = rowOf(mode);
  return row ? row->tool() : selectMoveTool();
}

const char *modeEntryText(int mode) {
  const ModeRow *row = rowOf(mode);
  return row ? row->entry : "";
}

const char *modeLabel(int mode) {
  const ModeRow *row = rowOf(mode);
  return row ? row->label : nullptr;
}

} // namespace hs
