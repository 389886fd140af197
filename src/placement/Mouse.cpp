#include "placement/Mouse.h"

#include "core/Numbers.h"
#include "placement/Edit.h"
#include "placement/Fill.h"
#include "placement/Readout.h"
#include "terrain/Height.h"
#include "view/Redraw.h"

#include <algorithm>

namespace hs {

namespace {

Point mapPointOf(const Scene &scene, int x, int y) {
  return {clampToInt(static_cast<long long>(x) + scene.scrollX),
          clampToInt(static_cast<long long>(y) + scene.scrollY)};
}

void readoutAt(Scene &scene, const ProgramValues &values, int x, int y) {
  const Point m = mapPointOf(scene, x, y);
  showReadout(scene, values, m.x, height8At(scene, m.x, m.y), m.y);
}

bool isFillMode(int mode) { return mode == LineFill || mode == BoxFill || mode == CircleFill; }

bool hasRubberBand(int mode) { return isFillMode(mode) || mode == DeleteObjects; }

// Draws the figure; drawing the same figure again removes it.
void xorFigure(Scene &scene, const RubberBand &band) {
  if (!scene.surface || band.figure == RubberFigure::None)
    return;
  const Point &a = band.from;
  const Point &b = band.to;
  if (band.figure == RubberFigure::Line) {
    scene.surface->xorLine(a.x, a.y, b.x, b.y);
    return;
  }
  const int x1 = std::min(a.x, b.x);
  const int y1 = std::min(a.y, b.y);
  const int x2 = std::max(a.x, b.x);
  const int y2 = std::max(a.y, b.y);
  if (band.figure == RubberFigure::Ellipse)
    scene.surface->xorEllipse(x1, y1, x2, y2);
  scene.surface->xorRect(x1, y1, x2, y2);
}

void eraseRubberBand(Scene &scene) {
  xorFigure(scene, scene.rubberBand);
  scene.rubberBand = {};
}

// The figure of a drag in mode from first to the pointer p. The circle's box
// runs from the pointer to its mirror image through first, its centre.
RubberBand figureFor(int mode, Point first, Point p) {
  switch (mode) {
  case LineFill:
    return {RubberFigure::Line, first, p};
  case CircleFill:
    return {RubberFigure::Ellipse,
            p,
            {clampToInt(2LL * first.x - p.x), clampToInt(2LL * first.y - p.y)}};
  default:
    return {RubberFigure::Rect, first, p};
  }
}

int pickedKind(const Scene &scene) { return truncToInt(scene.pickKind); }

const vIcon *pickedImage(const Scene &scene) {
  switch (pickedKind(scene)) {
  case PickCamera:
    return &cameraIcon();
  case PickLookAt:
    return &lookIcon();
  case PickObject: {
    const int type = truncToInt(scene.pickType);
    if (type < 0 || type >= kObjectTypes)
      return nullptr;
    return &scene.markers[static_cast<std::size_t>(type)];
  }
  default:
    return nullptr;
  }
}

FillResult runFill(Scene &scene, ProgramValues &values) {
  if (values.mode == LineFill)
    return fillLine(scene, values);
  if (values.mode == BoxFill)
    return fillBox(scene, values);
  return fillCircle(scene, values);
}

} // namespace

void mousePress(Scene &scene, ProgramValues &values, int x, int y, int button) {
  const Point p{x, y};
  if (scene.clickCount == 0) {
    scene.firstPoint = p;
    scene.lastPoint = p;
    scene.clickCount = 1;
  } else {
    // A second button, or a press after a release the pane never saw.
    scene.lastPoint = p;
    if (isFillMode(values.mode))
      ++scene.clickCount;
  }
  if ((values.mode == SingleObject && button == kRightButton) || values.mode == MoveObject)
    scene.pickKind = findNearest(scene, x, y);
}

void mouseMotion(Scene &scene, ProgramValues &values, int x, int y) {
  readoutAt(scene, values, x, y);
}

void mouseDrag(Scene &scene, ProgramValues &values, int x, int y, int /*button*/) {
  readoutAt(scene, values, x, y);
  const Point p{x, y};
  if (hasRubberBand(values.mode)) {
    // The old figure goes first, also when the pointer is back on the start
    // point, where nothing new is drawn.
    eraseRubberBand(scene);
    if (!(p == scene.firstPoint)) {
      scene.rubberBand = figureFor(values.mode, scene.firstPoint, p);
      xorFigure(scene, scene.rubberBand);
    }
    scene.lastPoint = p;
  } else if (values.mode == MoveObject) {
    const vIcon *image = pickedImage(scene);
    if (!image)
      return;
    repaintPane(scene);
    if (scene.surface)
      scene.surface->drawIcon(*image, x - 4, y - 4);
  }
}

void mouseRelease(Scene &scene, ProgramValues &values, int x, int y, int button) {
  scene.clickCount = 0;
  // The action is over, whatever follows: no figure may stay behind.
  eraseRubberBand(scene);
  const Point p{x, y};
  const Point m = mapPointOf(scene, x, y);
  const int h = heightAt(scene, m.x, m.y);
  switch (values.mode) {
  case SingleObject:
    if (button == kRightButton)
      deletePicked(scene, values);
    else if (h >= 0)
      placeSingle(scene, values, x, h, y);
    break;
  case LineFill:
  case BoxFill:
  case CircleFill: {
    if (p == scene.firstPoint || h < 0)
      break;
    // The figure ends where the button came up, even without a drag step
    // there.
    scene.lastPoint = p;
    const FillResult done = runFill(scene, values);
    redraw(scene, values);
    // A fill cut short by the object limit says so, or the missing objects
    // would look like a fault of the tool.
    if (done.stopped && scene.budget.used >= scene.budget.limit && scene.services)
      scene.services->notice("Notice", fillLimitMessage(done.placed).c_str());
    break;
  }
  case PlaceCamera:
  case PointCamera:
    if (h >= 0)
      finishCameraPick(scene, values, values.mode == PlaceCamera ? 0 : 1, m.x, h, m.y);
    break;
  case GetWater:
    if (scene.services)
      scene.services->endWaterPick(std::max(h, 0));
    else
      finishWaterPick(values, h);
    break;
  case DeleteObjects:
    if (p == scene.firstPoint)
      break;
    scene.lastPoint = p;
    deleteInRect(scene, values, button != kRightButton);
    redraw(scene, values);
    break;
  case EditObject:
    editAt(scene, values, x, y);
    break;
  case MoveObject:
    movePicked(scene, values, x, y);
    break;
  case MoveAll:
    moveAll(scene, m.x, m.y);
    redraw(scene, values);
    break;
  default: // SelectMove does nothing
    break;
  }
}

void finishCameraPick(Scene &scene, ProgramValues &values, int which, int mapX, int h, int mapZ) {
  ScItem &item = which == 0 ? scene.camera : scene.lookAt;
  item.x = mapX;
  item.y = h;
  item.z = mapZ;
  // The map shows the new place while the dialog is open.
  redraw(scene, values);
  if (scene.services)
    scene.services->endCameraPick(which);
  // The dialog has closed; its values apply whether it was confirmed or not.
  if (which == 0) {
    scene.camera.heightMode = values.cameraHeightMode;
    scene.camera.height = values.cameraHeight;
  } else {
    scene.lookAt.heightMode = values.placeHeightMode;
    scene.lookAt.height = values.placeHeight;
  }
  if (scene.services)
    scene.services->showModeStatus(values.previousMode + 1);
  values.mode = values.previousMode;
}

void finishWaterPick(ProgramValues &values, int level) {
  values.waterLevel = static_cast<float>(std::max(level, 0));
  values.mode = values.previousMode;
}

} // namespace hs
