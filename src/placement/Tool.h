#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

namespace hs {

// Where a press or a release happened: on the pane, on the map, the height
// there (-1 off the map) and the button.
struct MouseSpot {
  Point pane;
  Point map;
  int height = -1;
  int button = 0;
};

// What one mode does with the mouse on the map. The dispatchers in Mouse.cpp
// keep the readout, the click count and the rubber band; a tool only acts.
class Tool {
public:
  virtual ~Tool() = default;

  // After the dispatcher has counted the press.
  virtual void press(Scene & /*scene*/, ProgramValues & /*values*/,
                     const MouseSpot & /*at*/) const {}
  // The figure a drag from first to p shows, XOR-drawn on the pane; a tool
  // without one returns RubberFigure::None and gets drag() instead.
  virtual RubberBand figure(const ProgramValues & /*values*/, Point /*first*/, Point /*p*/) const {
    return {};
  }
  virtual void drag(Scene & /*scene*/, ProgramValues & /*values*/, Point /*p*/) const {}
  // After the dispatcher has ended the gesture and removed the figure.
  virtual void release(Scene &scene, ProgramValues &values, const MouseSpot &at) const = 0;
  // Whether a second press before the release counts as a click of its own.
  virtual bool countsEveryPress() const { return false; }
};

// The one instance of a tool class; tools hold no state.
template <class T> const Tool &theTool() {
  static const T tool;
  return tool;
}

// The tool of a mode; a mode outside the table gets one that does nothing.
const Tool &toolFor(int mode);

// Status text shown when the mode is entered; empty for a mode outside 0..11.
const char *modeEntryText(int mode);
// Status text for the mode after an operation; nullptr for modes 4 to 6 and
// for anything outside 0..11.
const char *modeLabel(int mode);

} // namespace hs
