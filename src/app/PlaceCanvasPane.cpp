#include "app/PlaceCanvasPane.h"

#include "placement/Mouse.h"
#include "placement/Readout.h"
#include "view/Redraw.h"
#include "view/Scroll.h"

#include <algorithm>
#include <utility>

namespace hs {

PlaceCanvasPane::PlaceCanvasPane(WindowValues *owner, WindowServices *services,
                                 ProgramValues &values, Document &document)
    : values_(values), scene_(&document, owner) {
  scene_.attachSurface(this);
  scene_.attachServices(services);
  installRedraw(scene_, values_);
}

PlaceCanvasPane::~PlaceCanvasPane() {
  // The scene outlives the widget parts; nothing may draw through it now.
  scene_.attachSurface(nullptr);
  scene_.attachServices(nullptr);
}

void PlaceCanvasPane::mouseDown(int x, int y, int button) {
  mousePress(scene_, values_, x, y, button);
}

void PlaceCanvasPane::mouseUp(int x, int y, int button) {
  mouseRelease(scene_, values_, x, y, button);
}

void PlaceCanvasPane::mouseMove(int x, int y, int button) {
  mouseDrag(scene_, values_, x, y, button);
}

void PlaceCanvasPane::mouseMotion(int x, int y) { hs::mouseMotion(scene_, values_, x, y); }

void PlaceCanvasPane::keyIn(int key, unsigned modifiers) {
  Key k = Key::Other;
  switch (key) {
  case Qt::Key_Left:
    k = Key::Left;
    break;
  case Qt::Key_Right:
    k = Key::Right;
    break;
  case Qt::Key_Up:
    k = Key::Up;
    break;
  case Qt::Key_Down:
    k = Key::Down;
    break;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    k = Key::Return;
    break;
  case Qt::Key_Escape:
    k = Key::Escape;
    break;
  default:
    break;
  }
  hs::keyIn(scene_, values_, k, (modifiers & Qt::ShiftModifier) != 0);
}

void PlaceCanvasPane::wheel(int dx, int dy, unsigned modifiers, int x, int y) {
  // A notch (120) scrolls 40 pixels.
  constexpr int kNotchPixels = 40;
  if ((modifiers & Qt::ControlModifier) != 0) {
    if (dy != 0)
      zoomTo(scene_, values_, scene_.zoom + (dy > 0 ? 1 : -1), x, y);
  } else {
    if ((modifiers & Qt::ShiftModifier) != 0 && dx == 0)
      std::swap(dx, dy);
    if (dx != 0)
      scrollBy(scene_, ScrollAxis::Horizontal, -dx * kNotchPixels / 120);
    if (dy != 0)
      scrollBy(scene_, ScrollAxis::Vertical, -dy * kNotchPixels / 120);
  }
  // The map moved under the pointer: the readout follows.
  hs::mouseMotion(scene_, values_, x, y);
}

void PlaceCanvasPane::onResize(int width, int height, bool byScrollBars) {
  // A bar that a zoom or a new map brought must not undo where that put the view.
  resizePane(scene_, width, height, byScrollBars);
}

void PlaceCanvasPane::hStep(int steps) { stepScroll(scene_, ScrollAxis::Horizontal, steps); }
void PlaceCanvasPane::vStep(int steps) { stepScroll(scene_, ScrollAxis::Vertical, steps); }

void PlaceCanvasPane::hPage(int sizePercent, int positionPercent) {
  pageTo(scene_, ScrollAxis::Horizontal, sizePercent, positionPercent);
}

void PlaceCanvasPane::vPage(int sizePercent, int positionPercent) {
  pageTo(scene_, ScrollAxis::Vertical, sizePercent, positionPercent);
}

void PlaceCanvasPane::showImage(const vMemoryDC &image, int srcX, int srcY, int width, int height) {
  // What lies beyond the map shows the pane's background, not what an earlier,
  // larger map left there.
  const int w = std::clamp(std::min(width, image.width() - srcX), 0, paneWidth());
  const int h = std::clamp(std::min(height, image.height() - srcY), 0, paneHeight());
  if (w < paneWidth() || h < paneHeight())
    clearPane();
  copyImage(image, srcX, srcY, w, h);
}

void PlaceCanvasPane::setScrollBar(ScrollAxis axis, bool shown, int thumbPercent,
                                   int positionPercent) {
  if (axis == ScrollAxis::Horizontal) {
    showHScroll(shown);
    setHScroll(thumbPercent, positionPercent);
  } else {
    showVScroll(shown);
    setVScroll(thumbPercent, positionPercent);
  }
}

} // namespace hs
