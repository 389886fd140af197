#include "placement/Mouse.h"

#include "placement/Readout.h"
#include "placement/Tool.h"
#include "terrain/Height.h"

#include <algorithm>

namespace hs {

namespace {

void readoutAt(Scene &scene, const ProgramValues &values, int x, int y) {
  const Point m = scene.mapPointAt(x, y);
  showReadout(scene, values, m.x, heightAt(scene.document(), m.x, m.y), m.y);
}

// Draws the figure; drawing the same figure again removes it.
void xorFigure(MapView &view, const RubberBand &band) {
  const Point &a = band.from;
  const Point &b = band.to;
  PaneSurface &pane = view.surface();
  switch (band.figure) {
  case RubberFigure::None:
    return;
  case RubberFigure::Line:
    pane.xorLine(a.x, a.y, b.x, b.y);
    return;
  case RubberFigure::Ellipse:
  case RubberFigure::Rect: {
    const int x1 = std::min(a.x, b.x);
    const int y1 = std::min(a.y, b.y);
    const int x2 = std::max(a.x, b.x);
    const int y2 = std::max(a.y, b.y);
    if (band.figure == RubberFigure::Ellipse)
      pane.xorEllipse(x1, y1, x2, y2);
    pane.xorRect(x1, y1, x2, y2);
    return;
  }
  }
}

void eraseRubberBand(MapView &view) {
  xorFigure(view, view.rubberBand);
  view.rubberBand = {};
}

MouseSpot spotAt(const Scene &scene, int x, int y, int button) {
  const Point m = scene.mapPointAt(x, y);
  return {{x, y}, m, heightAt(scene.document(), m.x, m.y), button};
}

// The name of the history step a release in mode makes.
const char *releaseStepName(int mode, int button) {
  static constexpr const char *kNames[kModeCount] = {
      "Place Object", "Line Fill",     "Box Fill",       "Circle Fill", "Place Camera",
      "Point Camera", "Water Level",   "Delete Objects", "Edit",        "Move",
      "Move All",     "Select & Move", "Scatter"};
  if (mode == SingleObject && button == kRightButton)
    return "Delete Object";
  return mode >= 0 && mode < kModeCount ? kNames[mode] : "Change";
}

} // namespace

void mousePress(Scene &scene, ProgramValues &values, int x, int y, int button) {
  const Tool &tool = toolFor(values.modes.mode());
  const Point p{x, y};
  if (scene.clickCount == 0) {
    scene.firstPoint = p;
    scene.lastPoint = p;
    scene.clickCount = 1;
  } else {
    // A second button, or a press after a release the pane never saw.
    scene.lastPoint = p;
    if (tool.countsEveryPress())
      ++scene.clickCount;
  }
  tool.press(scene, values, {p, scene.mapPointAt(x, y), -1, button});
}

void mouseMotion(Scene &scene, ProgramValues &values, int x, int y) {
  readoutAt(scene, values, x, y);
}

void mouseDrag(Scene &scene, ProgramValues &values, int x, int y, int /*button*/) {
  readoutAt(scene, values, x, y);
  const Tool &tool = toolFor(values.modes.mode());
  const Point p{x, y};
  const RubberBand band = tool.figure(values, scene.firstPoint, p);
  if (band.figure == RubberFigure::None) {
    tool.drag(scene, values, p);
    return;
  }
  // The old figure goes first, also when the pointer is back on the start
  // point, where nothing new is drawn.
  eraseRubberBand(scene);
  if (!(p == scene.firstPoint)) {
    scene.rubberBand = band;
    xorFigure(scene, band);
  }
  scene.lastPoint = p;
}

void mouseRelease(Scene &scene, ProgramValues &values, int x, int y, int button) {
  scene.clickCount = 0;
  // The action is over, whatever follows: no figure may stay behind.
  eraseRubberBand(scene);
  // Whatever the release changes, dialogs it opens included, is one step.
  const int mode = values.modes.mode();
  const HistoryStep step(scene.document(), releaseStepName(mode, button));
  toolFor(mode).release(scene, values, spotAt(scene, x, y, button));
}

void finishCameraPick(Scene &scene, ProgramValues &values, int which, int mapX, int h, int mapZ) {
  Document &document = scene.document();
  ScItem item = which == 0 ? document.camera() : document.lookAt();
  item.x = mapX;
  item.y = h;
  item.z = mapZ;
  if (which == 0)
    document.setCamera(item);
  else
    document.setLookAt(item);
  // The map shows the new place while the dialog is open.
  scene.changed(Change::Camera);
  scene.services().endCameraPick(which);
  // The dialog has closed; its values apply whether it was confirmed or not.
  if (which == 0) {
    item = document.camera();
    item.heightMode = values.cameraHeightMode;
    item.height = values.cameraHeight;
    document.setCamera(item);
  } else {
    item = document.lookAt();
    item.heightMode = values.placeHeightMode;
    item.height = values.placeHeight;
    document.setLookAt(item);
  }
  scene.services().showModeStatus(values.modes.previousMode() + 1);
  values.modes.endPick();
}

void setWaterLevel(Scene &scene, float level) {
  scene.document().setWaterLevel(level);
  scene.changed(Change::Water);
}

void finishWaterPick(Scene &scene, ProgramValues &values, int level) {
  setWaterLevel(scene, static_cast<float>(std::max(level, 0)));
  values.modes.endPick();
}

} // namespace hs
