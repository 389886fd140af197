#include "view/Redraw.h"

#include "core/Numbers.h"
#include "terrain/HeightField.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace hs {

namespace {

// Map positions become pixels by truncation toward zero. Far-off ones stop a
// long way off the map but well inside the int range, so the drawing code may
// add an image's size to them without overflowing.
int toPixel(double v) { return std::clamp(truncToInt(v), -1'000'000'000, 1'000'000'000); }

unsigned waterLevelOf(const ProgramValues &values) {
  // Truncated toward zero, then compared as unsigned: a negative level covers
  // every height, as it always has.
  return static_cast<unsigned>(truncToInt(values.waterLevel));
}

// copyFrom + paintAtOrBelow in one pass from baseImage to viewImage: the
// same picture as drawWater right after a copy, for half the memory traffic.
void copyWithWater(Scene &scene, const ProgramValues &values) {
  LRMemoryDC &view = scene.viewImage;
  const LRMemoryDC &base = scene.baseImage;
  if (view.width() != base.width() || view.height() != base.height() || view.isNull())
    return;
  const unsigned level = waterLevelOf(values);
  const std::uint32_t paint = toQtPixel(waterColour.value());
  const int w = std::min(scene.mapWidth, view.width());
  const int h = std::min(scene.mapHeight, view.height());
  const int full = view.width();
  for (int y = 0; y < view.height(); ++y) {
    const std::uint32_t *src = base.rowPixels(y);
    std::uint32_t *dst = view.rowPixels(y);
    const int n = y < h ? w : 0;
    if (scene.hfType != 0) {
      for (int x = 0; x < n; ++x) {
        const std::uint32_t p = src[x];
        dst[x] = height16Of(p) <= level ? paint : p;
      }
    } else {
      for (int x = 0; x < n; ++x) {
        const std::uint32_t p = src[x];
        dst[x] = height8Of(p) <= level ? paint : p;
      }
    }
    std::copy(src + n, src + full, dst + n);
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

} // namespace

void redraw(Scene &scene, const ProgramValues &values) {
  if (scene.showWater == 1)
    copyWithWater(scene, values);
  else
    scene.viewImage.copyFrom(scene.baseImage);
  if (scene.showView == 1)
    drawView(scene, 34.0);
  drawItems(scene, values);
  repaintPane(scene);
}

void installRedraw(Scene &scene, const ProgramValues &values) {
  scene.redrawHook = [&values](Scene &s) { redraw(s, values); };
}

void drawWater(Scene &scene, const ProgramValues &values) {
  scene.viewImage.copyFrom(scene.baseImage);
  scene.viewImage.paintAtOrBelow(scene.mapWidth, scene.mapHeight, scene.hfType,
                                 waterLevelOf(values), waterColour.value());
}

PointD borderHitExact(const Scene &scene, PointD v, PointD p) {
  const double W = scene.mapWidth;
  const double H = scene.mapHeight;
  const double dx = p.x - v.x;
  const double dz = p.z - v.z;
  const double len = std::sqrt(dx * dx + dz * dz);
  PointD r;
  if (!(len > 0.0))
    return r;
  const double e = dx / len;
  const double f = dz / len;
  if (f < 0) {
    if (e < 0) {
      r = {v.x + e * (-v.z / f), 0};
      if (r.x < 0)
        r = {0, v.z + f * (-v.x / e)};
    } else if (e == 0) {
      r = {v.x, 0};
    } else {
      r = {v.x + e * (-v.z / f), 0};
      if (r.x > W)
        r = {W, v.z + f * ((W - v.x) / e)};
    }
  } else if (f == 0) {
    if (e < 0)
      r = {0, v.z};
    else if (e > 0)
      r = {W, v.z};
  } else {
    if (e < 0) {
      r = {v.x + e * ((H - v.z) / f), H};
      if (r.x < 0)
        r = {0, v.z + f * (-v.x / e)};
    } else if (e == 0) {
      r = {v.x, H};
    } else {
      r = {v.x + e * ((H - v.z) / f), H};
      if (r.x > W)
        r = {W, v.z + f * ((W - v.x) / e)};
    }
  }
  return r;
}

Point borderHit(const Scene &scene, PointD from, PointD through) {
  const PointD r = borderHitExact(scene, from, through);
  return {toPixel(r.x), toPixel(r.z)};
}

std::vector<Point> viewPolygon(const Scene &scene, double angle) {
  const PointD v{scene.camera.x, scene.camera.z};
  const double dx = scene.lookAt.x - v.x;
  const double dz = scene.lookAt.z - v.z;
  const double len = std::sqrt(dx * dx + dz * dz);
  if (!std::isfinite(len) || !(len > 0.0) || !std::isfinite(angle))
    return {};
  const double ux = dx / len;
  const double uz = dz / len;
  const double s = std::sin(angle * std::numbers::pi / 180.0);
  const double nx = uz;
  const double nz = -ux;
  const PointD p1{v.x + (ux - s * nx), v.z + (uz - s * nz)};
  const PointD p2{v.x + 50.0 * (ux + s * nx), v.z + 50.0 * (uz + s * nz)};
  const PointD r1 = borderHitExact(scene, v, p1);
  const PointD r2 = borderHitExact(scene, v, p2);

  const double W = scene.mapWidth;
  const double H = scene.mapHeight;
  const PointD corner[4] = {{0, H}, {W, H}, {W, 0}, {0, 0}};
  // The last test that holds decides the side.
  auto sideOf = [&](PointD r) {
    int side = 0;
    if (r.z == H)
      side = 0;
    if (r.x == W)
      side = 1;
    if (r.z == 0)
      side = 2;
    if (r.x == 0)
      side = 3;
    return side;
  };
  const int s1 = sideOf(r1);
  const int s2 = sideOf(r2);
  auto px = [](PointD p) { return Point{toPixel(p.x), toPixel(p.z)}; };

  // From R2 around the back of the camera to R1.
  std::vector<Point> poly{px(v), px(r2)};
  int k = s2;
  int c = (k + 1) % 4;
  if ((r2.x - corner[c].x) + (r2.z - corner[c].z) != 0)
    poly.push_back(px(corner[c]));
  k = (k + 1) % 4;
  while (k != s1) {
    c = (k + 1) % 4;
    poly.push_back(px(corner[c]));
    k = (k + 1) % 4;
  }
  if ((corner[c].x - r1.x) + (corner[c].z - r1.z) != 0)
    poly.push_back(px(r1));
  poly.push_back(px(v));
  return poly;
}

void drawView(Scene &scene, double angle) {
  const std::vector<Point> poly = viewPolygon(scene, angle);
  setPenColour(scene, unseenColour);
  setBrushColour(scene, unseenColour);
  scene.viewImage.drawPolygon(poly);
}

void setPenColour(Scene &scene, vColor colour) {
  scene.pen.colour = colour;
  scene.viewImage.setPen(scene.pen);
  if (scene.surface)
    scene.surface->setPen(scene.pen);
}

void setBrushColour(Scene &scene, vColor colour) {
  scene.brush.colour = colour;
  scene.viewImage.setBrush(scene.brush);
  if (scene.surface)
    scene.surface->setBrush(scene.brush);
}

void toggleWater(Scene &scene, const ProgramValues &values) {
  scene.showWater = scene.showWater ? 0 : 1;
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

void repaintPane(Scene &scene) { showViewImage(scene); }

} // namespace hs
