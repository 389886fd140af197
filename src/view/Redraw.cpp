#include "view/Redraw.h"

#include "core/Numbers.h"
#include "terrain/HeightFieldFormats.h"
#include "view/MapLoad.h"
#include "view/ShownMap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

namespace hs {

namespace {

unsigned waterLevelOf(const Document &document) {
  // Truncated toward zero, then compared as unsigned: a negative level covers
  // every height, as it always has.
  return static_cast<unsigned>(truncToInt(document.waterLevel()));
}

// copyFrom + paintAtOrBelow in one pass from the shown map to viewImage, the
// heights from baseImage: the same picture as drawWater right after a copy,
// for half the memory traffic.
void copyWithWater(Scene &scene, const LRMemoryDC &shown) {
  LRMemoryDC &view = scene.viewImage;
  const LRMemoryDC &base = scene.document().baseImage();
  if (view.width() != base.width() || view.height() != base.height() || view.isNull() ||
      shown.width() != base.width() || shown.height() != base.height())
    return;
  const unsigned level = waterLevelOf(scene.document());
  const std::uint32_t paint = toQtPixel(waterColour.value());
  const int w = std::min(scene.document().mapWidth(), view.width());
  const int h = std::min(scene.document().mapHeight(), view.height());
  const int full = view.width();
  for (int y = 0; y < view.height(); ++y) {
    const std::uint32_t *src = base.rowPixels(y);
    const std::uint32_t *colours = shown.rowPixels(y);
    std::uint32_t *dst = view.rowPixels(y);
    const int n = y < h ? w : 0;
    waterRow(src, colours, dst, n, is16Bit(scene.document().hfType()) ? 1 : 0, level, paint);
    std::copy(colours + n, colours + full, dst + n);
  }
}

// Draws the camera and look-at icons, the object markers and the order lines
// on target. at(x, z, half) places a mark: the top-left corner of an icon
// reaching half pixels either side of map point (x, z), or for half 0 the
// point itself. Marks wholly off the target are skipped: a zoomed pane shows
// few of many.
// Whether an icon size pixels wide with its top-left corner at corner shows
// on target at all: a zoomed pane shows few of many marks.
bool onTarget(const LRMemoryDC &target, Point corner, int size) {
  return corner.x > -size && corner.y > -size && corner.x < target.width() &&
         corner.y < target.height();
}

// Draws records from .. count - 1 of list with marker and, with "Order" on,
// the order lines that end at them (the first one from record from - 1).
template <class At>
void drawRun(const ScData &list, const vIconPixels &marker, int from, bool order,
             LRMemoryDC &target, At at) {
  const int w = target.width();
  const int h = target.height();
  if (from < 0 || from > list.count())
    return;
  Point prev = from > 0 ? at(list[from - 1].x, list[from - 1].z, 0) : Point{};
  for (int j = from; j < list.count(); ++j) {
    const ScItem &item = list[j];
    const Point p = at(item.x, item.z, 0);
    if (j > 0 && order &&
        !((p.x < 0 && prev.x < 0) || (p.y < 0 && prev.y < 0) || (p.x >= w && prev.x >= w) ||
          (p.y >= h && prev.y >= h))) {
      // Inverting, so a pixel crossed twice gets its colour back.
      target.setDrawMode(DrawMode::Invert);
      target.drawLine(p.x, p.y, prev.x, prev.y);
      target.setDrawMode(DrawMode::Normal);
    }
    if (const Point c = at(item.x, item.z, 4); onTarget(target, c, marker.width))
      target.drawIcon(marker, c.x, c.y);
    prev = p;
  }
}

// Draws the camera and look-at icons, the object markers and the order lines
// on target. at(x, z, half) places a mark: the top-left corner of an icon
// reaching half pixels either side of map point (x, z), or for half 0 the
// point itself. Marks wholly off the target are skipped.
template <class At>
void drawItems(const Scene &scene, const ProgramValues &values, LRMemoryDC &target, At at) {
  for (const auto &[item, icon] : {std::pair(&scene.document().camera(), &cameraIcon()),
                                   std::pair(&scene.document().lookAt(), &lookIcon())}) {
    const Point c = at(item->x, item->z, 7);
    if (onTarget(target, c, icon->width))
      target.drawIcon(*icon, c.x, c.y);
  }
  // The areas' outlines, in the pen's colour.
  for (const Area &area : scene.document().areas())
    for (std::size_t i = 0; i < area.corners.size(); ++i) {
      const AreaCorner &a = area.corners[i];
      const AreaCorner &b = area.corners[(i + 1) % area.corners.size()];
      const Point p = at(a.x, a.z, 0);
      const Point q = at(b.x, b.z, 0);
      target.drawLine(p.x, p.y, q.x, q.y);
    }
  for (std::size_t t = 0; t < scene.document().objects().size(); ++t) {
    const ScData &list = scene.document().objects()[t];
    if (list.count() > 0)
      drawRun(list, vIconPixels(scene.markers[t]), 0, values.showOrder == 1, target, at);
  }
}

// At zoom 0 the marks go on viewImage at their map points.
Point onMap(double x, double z, int half) { return {toPixel(x - half), toPixel(z - half)}; }

} // namespace

void redraw(Scene &scene, const ProgramValues &values) {
  // A map of another size (a load, an undo) gets a viewImage of its size.
  if (!fitViewToMap(scene))
    return;
  const LRMemoryDC &shown = shownMap(scene, palette());
  if (scene.showWater == 1)
    copyWithWater(scene, shown);
  else
    scene.viewImage.copyFrom(shown);
  if (scene.showView == 1)
    drawView(scene, 34.0);
  // Zoomed, the pane draws the marks at their own size (installRedraw).
  if (scene.zoom == 0)
    drawItems(scene, values, scene.viewImage, onMap);
  scene.repaint();
}

namespace {

// What the changes of one step need drawn: appended objects alone draw their
// own marks; anything else that shows draws everything again.
struct PendingDraw {
  // More appended objects than this draw everything again: cheaper than
  // drawing each mark on its own.
  static constexpr long long kMostMarks = 20000;
  bool everything = false;
  bool water = false;
  long long marks = 0;
  std::vector<std::pair<int, int>> runs; // list, first new record

  void hear(const DocumentChange &change) {
    switch (change.kind) {
    case DocumentChange::Appended:
      marks += change.count;
      runs.emplace_back(change.type, change.first);
      everything = everything || marks > kMostMarks;
      return;
    case DocumentChange::Water:
      water = true;
      return;
    case DocumentChange::Smoothing:
    case DocumentChange::HeightFieldName:
      return; // nothing on the map shows them
    default:
      everything = true;
      return;
    }
  }
};

// The marks of the objects appended since the last drawing, on viewImage at
// zoom 0 (zoomed, the pane draws every mark it shows anyway), then the pane.
void drawAppended(Scene &scene, const ProgramValues &values,
                  const std::vector<std::pair<int, int>> &runs) {
  if (scene.zoom == 0) {
    for (const auto &[type, first] : runs) {
      const ScData &list = scene.document().objects()[static_cast<std::size_t>(type)];
      drawRun(list, vIconPixels(scene.markers[static_cast<std::size_t>(type)]), first,
              values.showOrder == 1, scene.viewImage, onMap);
    }
  }
  scene.repaint();
}

} // namespace

void installRedraw(Scene &scene, const ProgramValues &values) {
  auto pending = std::make_shared<PendingDraw>();
  scene.listen([pending](const DocumentChange &change) { pending->hear(change); },
               [&scene, &values, pending] {
                 const PendingDraw now = std::exchange(*pending, PendingDraw{});
                 if (now.everything || (now.water && scene.showWater == 1))
                   redraw(scene, values);
                 else if (!now.runs.empty())
                   drawAppended(scene, values, now.runs);
               });
  scene.paintMarks = [&scene, &values](LRMemoryDC &pane) {
    drawItems(scene, values, pane, [&scene](double x, double z, int half) {
      const Point p = scene.panePointOf(x, z);
      return Point{p.x - half, p.y - half};
    });
  };
}

void drawWater(Scene &scene) {
  scene.viewImage.copyFrom(shownMap(scene, palette()));
  scene.viewImage.paintAtOrBelow(scene.document().mapWidth(), scene.document().mapHeight(),
                                 is16Bit(scene.document().hfType()) ? 1 : 0,
                                 waterLevelOf(scene.document()), waterColour.value());
}

void drawView(Scene &scene, double angle) {
  const std::vector<Point> poly = viewPolygon(scene.document(), angle);
  scene.pen.width = kUnseenOutline;
  scene.setPenColour(unseenColour);
  scene.setBrushColour(unseenColour);
  scene.viewImage.drawPolygon(poly);
}

void toggleWater(Scene &scene, const ProgramValues &values) {
  scene.showWater = scene.showWater ? 0 : 1;
  redraw(scene, values);
}

void toggleRelief(Scene &scene, const ProgramValues &values) {
  int &shown = scene.showRelief[is16Bit(scene.document().hfType()) ? 1 : 0];
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
