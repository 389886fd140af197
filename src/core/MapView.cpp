#include "core/MapView.h"

#include "core/Numbers.h"
#include "core/ZoomPicture.h"

#include <algorithm>
#include <cmath>

namespace hs {

PaneSurface &noSurface() {
  static QuietSurface none;
  return none;
}

MapView::MapView() : viewImage(400, 400), markers(builtinMarkers()), surface_(&noSurface()) {
  viewImage.clear();
}

void MapView::attachSurface(PaneSurface *surface) { surface_ = surface ? surface : &noSurface(); }

void MapView::repaint() {
  rubberBand = {};
  if (zoom == 0) {
    surface_->showImage(viewImage, scrollX, scrollY, viewWidth, viewHeight);
    return;
  }
  const int w = std::clamp(zoomedSize(viewImage.width()) - scrollX, 0, viewWidth);
  const int h = std::clamp(zoomedSize(viewImage.height()) - scrollY, 0, viewHeight);
  if (paneImage.width() != w || paneImage.height() != h)
    paneImage = LRMemoryDC(w, h);
  zoomPicture(viewImage, zoom, scrollX, scrollY, paneImage);
  paneImage.setDrawMode(DrawMode::Normal);
  if (paintMarks)
    paintMarks(paneImage);
  surface_->showImage(paneImage, 0, 0, w, h);
}

namespace {

// Draws the figure; drawing the same figure again removes it.
void xorFigure(PaneSurface &pane, const RubberBand &band) {
  const Point &a = band.from;
  const Point &b = band.to;
  switch (band.figure) {
  case RubberFigure::None:
    return;
  case RubberFigure::Line:
    pane.xorLine(a.x, a.y, b.x, b.y);
    return;
  case RubberFigure::Path:
    for (std::size_t i = 0; i < band.path.size(); ++i) {
      const Point &p = band.path[i];
      const Point &q = i + 1 < band.path.size() ? band.path[i + 1] : b;
      if (p.x != q.x || p.y != q.y)
        pane.xorLine(p.x, p.y, q.x, q.y);
    }
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

} // namespace

void MapView::showFigure(const RubberBand &band) {
  xorFigure(*surface_, rubberBand);
  rubberBand = band;
  xorFigure(*surface_, rubberBand);
}

void MapView::clearFigure() { showFigure({}); }

void MapView::showIconAt(const vIcon &icon, Point corner) {
  repaint();
  surface_->drawIcon(icon, corner.x, corner.y);
}

void MapView::setPenColour(vColor colour) {
  pen.colour = colour;
  viewImage.setPen(pen);
  surface_->setPen(pen);
}

void MapView::setBrushColour(vColor colour) {
  brush.colour = colour;
  viewImage.setBrush(brush);
  surface_->setBrush(brush);
}

int MapView::firstMapPixelAt(long long v) const {
  if (zoom >= 0)
    return clampToInt(v >= 0 ? v >> zoom : -((-v + (1LL << zoom) - 1) >> zoom));
  return clampToInt(v * (1LL << -zoom));
}

int MapView::lastMapPixelAt(long long v) const {
  return zoom >= 0 ? firstMapPixelAt(v) : clampToInt(v * (1LL << -zoom) + (1LL << -zoom) - 1);
}

Point MapView::mapPointAt(int x, int y) const {
  const long long middle = zoom >= 0 ? 0 : (1LL << -zoom) / 2;
  return {clampToInt(firstMapPixelAt(static_cast<long long>(x) + scrollX) + middle),
          clampToInt(firstMapPixelAt(static_cast<long long>(y) + scrollY) + middle)};
}

double MapView::zoomedCoordOf(double v) const { return zoomedCoord(v, zoom); }

MapPointer MapView::pointerAt(int x, int y) const {
  return {std::ldexp(static_cast<double>(x) + scrollX, -zoom),
          std::ldexp(static_cast<double>(y) + scrollY, -zoom), zoom};
}

Point MapView::panePointOf(double x, double y) const {
  if (zoom == 0)
    return {truncToInt(x - scrollX), truncToInt(y - scrollY)};
  return {truncToInt(zoomedCoordOf(std::trunc(x)) - scrollX),
          truncToInt(zoomedCoordOf(std::trunc(y)) - scrollY)};
}

int MapView::zoomedSize(int size) const { return hs::zoomedSize(size, zoom); }

void MapView::clampScroll(int mapWidth, int mapHeight) {
  // A smaller map loaded while scrolled would otherwise be shown, and redrawn,
  // from past its end: a blank pane until the next scroll.
  scrollX = std::clamp(scrollX, 0, std::max(zoomedSize(mapWidth) - viewWidth, 0));
  scrollY = std::clamp(scrollY, 0, std::max(zoomedSize(mapHeight) - viewHeight, 0));
}

} // namespace hs
