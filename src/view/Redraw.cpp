#include "view/Redraw.h"

#include "core/Numbers.h"
#include "view/ShownMap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

namespace hs {

namespace {

unsigned waterLevelOf(const ProgramValues &values) {
  // Truncated toward zero, then compared as unsigned: a negative level covers
  // every height, as it always has.
  return static_cast<unsigned>(truncToInt(values.waterLevel));
}

// copyFrom + paintAtOrBelow in one pass from the shown map to viewImage, the
// heights from baseImage: the same picture as drawWater right after a copy,
// for half the memory traffic.
void copyWithWater(Scene &scene, const ProgramValues &values, const LRMemoryDC &shown) {
  LRMemoryDC &view = scene.viewImage;
  const LRMemoryDC &base = scene.baseImage;
  if (view.width() != base.width() || view.height() != base.height() || view.isNull() ||
      shown.width() != base.width() || shown.height() != base.height())
    return;
  const unsigned level = waterLevelOf(values);
  const std::uint32_t paint = toQtPixel(waterColour.value());
  const int w = std::min(scene.mapWidth, view.width());
  const int h = std::min(scene.mapHeight, view.height());
  const int full = view.width();
  for (int y = 0; y < view.height(); ++y) {
    const std::uint32_t *src = base.rowPixels(y);
    const std::uint32_t *colours = shown.rowPixels(y);
    std::uint32_t *dst = view.rowPixels(y);
    const int n = y < h ? w : 0;
    if (scene.hfType != 0) {
      for (int x = 0; x < n; ++x)
        dst[x] = height16Of(src[x]) <= level ? paint : colours[x];
    } else {
      for (int x = 0; x < n; ++x)
        dst[x] = height8Of(src[x]) <= level ? paint : colours[x];
    }
    std::copy(colours + n, colours + full, dst + n);
  }
}

void drawItems(Scene &scene, const ProgramValues &values) {
  LRMemoryDC &view = scene.viewImage;
  view.drawIcon(cameraIcon(), toPixel(scene.camera.x - 7), toPixel(scene.camera.z - 7));
  view.drawIcon(lookIcon(), toPixel(scene.lookAt.x - 7), toPixel(scene.lookAt.z - 7));
  for (std::size_t t = 0; t < scene.objects.size(); ++t) {
    const ScData &list = scene.objects[t];
    if (list.count() == 0)
      continue;
    const vIconPixels marker(scene.markers[t]);
    for (int j = 0; j < list.count(); ++j) {
      const ScItem &item = list[j];
      if (j > 0 && values.showOrder == 1) {
        // Inverting, so a pixel crossed twice gets its colour back.
        const ScItem &prev = list[j - 1];
        view.setDrawMode(DrawMode::Invert);
        view.drawLine(toPixel(item.x), toPixel(item.z), toPixel(prev.x), toPixel(prev.z));
        view.setDrawMode(DrawMode::Normal);
      }
      view.drawIcon(marker, toPixel(item.x - 4), toPixel(item.z - 4));
    }
  }
}

// The marks again, zoomed: on the pane picture at their own size, where the
// pane shows their map pixels. Only those near the pane are drawn.
void drawItemsOnPane(const Scene &scene, const ProgramValues &values, LRMemoryDC &pane) {
  const int w = pane.width();
  const int h = pane.height();
  const auto near = [w, h](Point p, int margin) {
    return p.x > -margin && p.y > -margin && p.x < w + margin && p.y < h + margin;
  };
  for (const auto &[item, icon] :
       {std::pair(&scene.camera, &cameraIcon()), std::pair(&scene.lookAt, &lookIcon())}) {
    const Point p = scene.panePointOf(item->x, item->z);
    if (near(p, 8))
      pane.drawIcon(*icon, p.x - 7, p.y - 7);
  }
  for (std::size_t t = 0; t < scene.objects.size(); ++t) {
    const ScData &list = scene.objects[t];
    if (list.count() == 0)
      continue;
    const vIconPixels marker(scene.markers[t]);
    Point prev;
    for (int j = 0; j < list.count(); ++j) {
      const ScItem &item = list[j];
      const Point p = scene.panePointOf(item.x, item.z);
      if (j > 0 && values.showOrder == 1 &&
          !((p.x < 0 && prev.x < 0) || (p.y < 0 && prev.y < 0) || (p.x >= w && prev.x >= w) ||
            (p.y >= h && prev.y >= h))) {
        pane.setDrawMode(DrawMode::Invert);
        pane.drawLine(p.x, p.y, prev.x, prev.y);
        pane.setDrawMode(DrawMode::Normal);
      }
      if (near(p, 5))
        pane.drawIcon(marker, p.x - 4, p.y - 4);
      prev = p;
    }
  }
}

} // namespace

void redraw(Scene &scene, const ProgramValues &values) {
  const LRMemoryDC &shown = shownMap(scene, values, palette());
  if (scene.showWater == 1)
    copyWithWater(scene, values, shown);
  else
    scene.viewImage.copyFrom(shown);
  if (scene.showView == 1)
    drawView(scene, 34.0);
  // Zoomed, the pane draws the marks at their own size (installRedraw).
  if (scene.zoom == 0)
    drawItems(scene, values);
  scene.repaint();
}

void installRedraw(Scene &scene, const ProgramValues &values) {
  scene.onChange([&scene, &values](Change) { redraw(scene, values); });
  scene.paintMarks = [&scene, &values](LRMemoryDC &pane) { drawItemsOnPane(scene, values, pane); };
}

void drawWater(Scene &scene, const ProgramValues &values) {
  scene.viewImage.copyFrom(shownMap(scene, values, palette()));
  scene.viewImage.paintAtOrBelow(scene.mapWidth, scene.mapHeight, scene.hfType,
                                 waterLevelOf(values), waterColour.value());
}

void drawView(Scene &scene, double angle) {
  const std::vector<Point> poly = viewPolygon(scene, angle);
  scene.setPenColour(unseenColour);
  scene.setBrushColour(unseenColour);
  scene.viewImage.drawPolygon(poly);
}

void toggleWater(Scene &scene, const ProgramValues &values) {
  scene.showWater = scene.showWater ? 0 : 1;
  redraw(scene, values);
}

void toggleRelief(Scene &scene, const ProgramValues &values) {
  int &shown = scene.showRelief[scene.hfType != 0 ? 1 : 0];
  shown = shown ? 0 : 1;
  redraw(scene, values);
}

void toggleView(Scene &scene, const ProgramValues &values) {
  scene.showView = scene.showView ? 0 : 1;
  redraw(scene, values);
}

void setShowOrder(Scene &scene, ProgramValues &values, bool pressed) {
  values.showOrder = pressed ? 1 : 0;
  redraw(scene, values);
}

} // namespace hs
