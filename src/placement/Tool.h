#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <span>

namespace hs {

// Where a press or a release happened: on the pane (for the figures the view
// shows), the map pixel there, the pointer as finely as the screen shows it
// (for picks), the height there (-1 off the map) and the button.
struct MouseSpot {
  Point pane;
  Point map;
  MapPointer pointer;
  int height = -1;
  int button = 0;
};

// What the view shows while the mouse drags: a rubber band, or the picked
// item's image under the pointer (icon, its top-left corner at band.to).
struct DragFigure {
  RubberBand band;
  const vIcon *icon = nullptr;
};

// What one mode does with the mouse on the map. The dispatchers in Mouse.cpp
// keep the readout, the click count and the figure the view shows; a tool
// only acts, on the document, at map points.
class Tool {
public:
  virtual ~Tool() = default;

  // After the dispatcher has counted the press.
  virtual void press(Scene & /*scene*/, ProgramValues & /*values*/,
                     const MouseSpot & /*at*/) const {}
  // The figure a drag from first to p (pane points) shows; the view draws it
  // over the map and takes it away again.
  virtual DragFigure figure(const Scene & /*scene*/, const ProgramValues & /*values*/,
                            Point /*first*/, Point /*p*/) const {
    return {};
  }
  // After the dispatcher has ended the gesture and removed the figure.
  virtual void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const = 0;
  // Whether a second press before the release counts as a click of its own.
  virtual bool countsEveryPress() const { return false; }
  // The undo history's name for a release with button, when it is not the
  // row's.
  virtual const char *stepNameFor(int /*button*/) const { return nullptr; }
};

// The one instance of a tool class; tools hold no state.
template <class T> const Tool &theTool() {
  static const T tool;
  return tool;
}

// A text every row must give: a row that leaves one out does not compile.
struct RowText {
  consteval RowText(const char *text) : text(text) {} // NOLINT(google-explicit-constructor)
  const char *text;
};

// The command ids of the tool buttons; the window's other commands number
// around them.
enum ToolButtonId : int {
  kOneButton = 136,
  kLinButton = 137,
  kBoxButton = 138,
  kCirButton = 139,
  kScatterButton = 154,
};

// A tool-bar button: its command id, label and tip.
struct ToolButton {
  int id = 0;
  const char *label = nullptr;
  const char *tip = nullptr;
};

// How a mode is entered and left.
enum class ModeKind {
  Tool,    // a tool button selects it; it stays
  Command, // a command enters it, remembering the mode before; it stays
  Pick,    // a command enters it; one release ends it, back to the mode before
};

// Everything about one mode, in one row of the table in Tools.cpp.
struct ToolRow {
  PlaceMode mode;
  ModeKind kind;
  RowText entry;        // the status text when the mode is entered
  const char *label;    // the status text after an operation; nullptr: none
  RowText stepName;     // the undo history's name for what a release does
  ToolButton button;    // id 0: no button of its own
  bool releasesButtons; // entering it releases every tool button
  const Tool &(*tool)();
};

// Each tool lives in the file of its kind; a new mode adds its tool there and
// a row below.
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
const Tool &areaTool();

// Every mode, by mode number.
inline constexpr ToolRow kToolRows[] = {
    {SingleObject,
     ModeKind::Tool,
     "Place Single Object",
     "Place Single Object",
     "Place Object",
     {kOneButton, "One", "place A Single Object"},
     false,
     singleTool},
    {LineFill,
     ModeKind::Tool,
     "Place Objects LINE",
     "Place Objects LINE",
     "Line Fill",
     {kLinButton, "Lin", "place Objects on line"},
     false,
     lineFillTool},
    {BoxFill,
     ModeKind::Tool,
     "Place Objects BOX",
     "Place Objects BOX",
     "Box Fill",
     {kBoxButton, "Box", "place Objects with Box"},
     false,
     boxFillTool},
    {CircleFill,
     ModeKind::Tool,
     "Place Objects Circle",
     "Place Objects Circle",
     "Circle Fill",
     {kCirButton, "Cir", "place Objects with Circle"},
     false,
     circleFillTool},
    {PlaceCamera,
     ModeKind::Pick,
     " Place Camera ",
     nullptr,
     "Place Camera",
     {},
     false,
     cameraPickTool},
    {PointCamera,
     ModeKind::Pick,
     " Point camera at",
     nullptr,
     "Point Camera",
     {},
     false,
     lookAtPickTool},
    {GetWater,
     ModeKind::Pick,
     " Get Water Level",
     nullptr,
     "Water Level",
     {},
     false,
     waterPickTool},
    {DeleteObjects,
     ModeKind::Command,
     " DELETE Object",
     "Delete Objects",
     "Delete Objects",
     {},
     true,
     deleteTool},
    {EditObject, ModeKind::Command, " Edit Object", "Edit Objects", "Edit", {}, false, editTool},
    {MoveObject, ModeKind::Command, " Move Object", "Move Object", "Move", {}, false, moveTool},
    {MoveAll,
     ModeKind::Command,
     " Move All Objects",
     "Move All Objects",
     "Move All",
     {},
     false,
     moveAllTool},
    {SelectMove,
     ModeKind::Command,
     "Select & Move Objects",
     "Select/Move Objects",
     "Select & Move",
     {},
     false,
     selectMoveTool},
    {Scatter,
     ModeKind::Tool,
     "Scatter Objects",
     "Scatter Objects",
     "Scatter",
     {kScatterButton, "Scatter", "Scatter objects by rules: spacing, ground height, water, slope"},
     false,
     scatterTool},
    {DrawArea,
     ModeKind::Command,
     "Draw Area: click the corners, double-click to close, Escape to cancel",
     "Draw Area",
     "Area",
     {},
     true,
     areaTool},
};

// The row of a mode; nullptr for a value that is no mode.
const ToolRow *toolRow(int mode);
// The mode whose tool button has command id; -1 for none.
int modeOfButton(int id);
// Every row, in mode order.
std::span<const ToolRow> toolRows();

// The tool of a mode, which must be one (Modes holds only modes).
const Tool &toolFor(int mode);

// Status text shown when the mode is entered; empty for a value that is no
// mode.
const char *modeEntryText(int mode);
// Status text for the mode after an operation; nullptr for modes 4 to 6 and
// for anything that is no mode.
const char *modeLabel(int mode);

} // namespace hs
