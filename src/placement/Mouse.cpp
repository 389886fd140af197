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

MouseSpot spotAt(const Scene &scene, int x, int y, int button, bool sample) {
  const Point m = scene.mapPointAt(x, y);
  return {
      {x, y}, m, scene.pointerAt(x, y), sample ? heightAt(scene.document(), m.x, m.y) : -1, button};
}

} // namespace

void mousePress(Scene &scene, ProgramValues &values, int x, int y, int button) {
  const Tool &tool = toolFor(values.modes.mode());
  const MouseSpot at = spotAt(scene, x, y, button, false);
  if (scene.clickCount == 0) {
    scene.firstPoint = at.pane;
    scene.firstMap = at.map;
    scene.clickCount = 1;
  } else if (tool.countsEveryPress()) {
    // A second button, or a press after a release the pane never saw.
    ++scene.clickCount;
  }
  scene.lastPoint = at.pane;
  scene.lastMap = at.map;
  tool.press(scene, values, at);
}

void mouseMotion(Scene &scene, ProgramValues &values, int x, int y) {
  readoutAt(scene, values, x, y);
}

void mouseDrag(Scene &scene, ProgramValues &values, int x, int y, int /*button*/) {
  readoutAt(scene, values, x, y);
  const Point p{x, y};
  const DragFigure shown = toolFor(values.modes.mode()).figure(scene, values, scene.firstPoint, p);
  if (shown.icon) {
    scene.showIconAt(*shown.icon, shown.band.to);
    return;
  }
  if (shown.band.figure == RubberFigure::None)
    return;
  // The old figure goes also when the pointer is back on the start point,
  // where nothing new is drawn.
  scene.showFigure(p == scene.firstPoint ? RubberBand{} : shown.band);
  scene.lastPoint = p;
  scene.lastMap = scene.mapPointAt(x, y);
}

void mouseRelease(Scene &scene, ProgramValues &values, int x, int y, int button) {
  scene.clickCount = 0;
  // The action is over, whatever follows: no figure may stay behind.
  scene.clearFigure();
  // Whatever the release changes, dialogs it opens included, is one step.
  const ToolRow &row = *toolRow(values.modes.mode());
  const Tool &tool = row.tool();
  const char *name = tool.stepNameFor(button);
  const HistoryStep step(scene.document(), name ? name : row.stepName.text);
  tool.release(scene, values, spotAt(scene, x, y, button, true));
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
  document.publish();
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
  scene.services().showModeLabel(values.modes.previousMode());
  values.modes.endPick();
}

void setWaterLevel(Scene &scene, float level) { scene.document().setWaterLevel(level); }

void finishWaterPick(Scene &scene, ProgramValues &values, int level) {
  setWaterLevel(scene, static_cast<float>(std::max(level, 0)));
  values.modes.endPick();
}

} // namespace hs
