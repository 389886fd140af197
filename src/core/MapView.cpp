#include "core/MapView.h"

#include "core/Numbers.h"

#include <algorithm>

namespace hs {

namespace {

class NoSurface final : public PaneSurface {
public:
  void showImage(const vMemoryDC &, int, int, int, int) override {}
  void setPen(const vPen &) override {}
  void setBrush(const vBrush &) override {}
  void drawIcon(const vIcon &, int, int) override {}
  void drawLine(int, int, int, int) override {}
  void xorLine(int, int, int, int) override {}
  void xorRect(int, int, int, int) override {}
  void xorEllipse(int, int, int, int) override {}
  void setScrollBar(ScrollAxis, bool, int, int) override {}
  void setBackground(vColor) override {}
};

} // namespace

PaneSurface &noSurface() {
  static NoSurface none;
  return none;
}

MapView::MapView() : viewImage(400, 400), markers(builtinMarkers()), surface_(&noSurface()) {
  viewImage.clear();
}

void MapView::attachSurface(PaneSurface *surface) { surface_ = surface ? surface : &noSurface(); }

void MapView::repaint() {
  rubberBand = {};
  surface_->showImage(viewImage, scrollX, scrollY, viewWidth, viewHeight);
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

Point MapView::mapPointAt(int x, int y) const {
  return {clampToInt(static_cast<long long>(x) + scrollX),
          clampToInt(static_cast<long long>(y) + scrollY)};
}

void MapView::clampScroll(int mapWidth, int mapHeight) {
  // A smaller map loaded while scrolled would otherwise be shown, and redrawn,
  // from past its end: a blank pane until the next scroll.
  scrollX = std::clamp(scrollX, 0, std::max(mapWidth - viewWidth, 0));
  scrollY = std::clamp(scrollY, 0, std::max(mapHeight - viewHeight, 0));
}

} // namespace hs
