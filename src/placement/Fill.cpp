#include "placement/Fill.h"

#include "core/Numbers.h"
#include "placement/Random.h"
#include "terrain/Height.h"

#include <array>
#include <cmath>
#include <numbers>

namespace hs {

namespace {

struct MapPoint {
  double x;
  double z;
};

MapPoint mapPoint(const Scene &scene, Point pane) {
  const Point m = scene.mapPointAt(pane.x, pane.y);
  return {static_cast<double>(m.x), static_cast<double>(m.y)};
}

// The start of a line or box fill and the step between its n evenly spaced
// positions along each axis, in map coordinates.
struct Spacing {
  MapPoint start;
  double dx;
  double dz;
};

Spacing evenSpacing(const Scene &scene, int n) {
  const MapPoint p0 = mapPoint(scene, scene.firstPoint);
  const MapPoint p1 = mapPoint(scene, scene.lastPoint);
  return {p0, (p1.x - p0.x) / (static_cast<double>(n) - 1.0),
          (p1.z - p0.z) / (static_cast<double>(n) - 1.0)};
}

// A random parameter 0..just above n, rounded to single precision.
float randomParameter(ProgramValues &values, int n) {
  const long double r = nextRandom(values);
  return static_cast<float>(r * n * kRandomScale);
}

// Samples the height at (px, pz) and appends the object to the list of its
// type, counting it in result. Returns false when the append failed and the
// tool must stop.
bool appendFilled(Scene &scene, ProgramValues &values, int px, int pz, bool skipOffMap,
                  FillResult &result) {
  const int h = heightAt(scene.document(), px, pz);
  if (skipOffMap && h < 0)
    return true;
  const int type = randomTypeFor(values);
  if (scene.document().append(type, ScItem{static_cast<double>(px), static_cast<double>(h),
                                           static_cast<double>(pz), values.placeHeightMode,
                                           static_cast<double>(values.placeHeight)}) != 0) {
    result.stopped = true;
    result.outOfMemory = scene.document().budget().used < scene.document().budget().limit;
    return false;
  }
  ++result.placed;
  return true;
}

FillResult line(Scene &scene, ProgramValues &values) {
  FillResult result;
  const int n = values.fillCount;
  if (n <= 1)
    return result;
  const auto [p0, dx, dz] = evenSpacing(scene, n);
  for (int i = 0; i < n; ++i) {
    const double r = values.fillRandomPlace ? static_cast<double>(randomParameter(values, n))
                                            : static_cast<double>(i);
    if (!appendFilled(scene, values, truncToInt(p0.x + r * dx), truncToInt(p0.z + r * dz), false,
                      result))
      break;
  }
  return result;
}

FillResult box(Scene &scene, ProgramValues &values) {
  FillResult result;
  const int n = values.fillCount;
  if (n <= 1)
    return result;
  const auto [p0, dx, dz] = evenSpacing(scene, n);
  for (int j = 0; j < n; ++j) {
    const int evenZ = truncToInt(p0.z + j * dz);
    for (int i = 0; i < n; ++i) {
      int px;
      int pz;
      if (values.fillRandomPlace) {
        const double rx = randomParameter(values, n);
        const double rz = randomParameter(values, n);
        px = truncToInt(p0.x + rx * dx);
        pz = truncToInt(p0.z + rz * dz);
      } else {
        px = truncToInt(p0.x + i * dx);
        pz = evenZ;
      }
      if (!appendFilled(scene, values, px, pz, false, result))
        return result;
    }
  }
  return result;
}

FillResult circle(Scene &scene, ProgramValues &values) {
  FillResult result;
  const int n = values.fillCount;
  if (n <= 1)
    return result;
  constexpr double pi = std::numbers::pi;
  const auto [mx, mz] = mapPoint(scene, scene.firstPoint);
  const MapPoint edge = mapPoint(scene, scene.lastPoint);
  const double rx = edge.x - mx;
  const double rz = edge.z - mz;
  for (int i = 0; i < n; ++i) {
    float a;
    if (values.fillRandomPlace) {
      const long double r = nextRandom(values);
      const float u = static_cast<float>(r * kRandomScale);
      a = static_cast<float>(2.0 * pi * static_cast<double>(u) - pi);
    } else {
      a = static_cast<float>(i * 2.0 * pi / (static_cast<double>(n) - 1.0) - pi);
    }
    const int px = truncToInt(mx + rx * std::cos(static_cast<double>(a)));
    const int pz = truncToInt(mz + rz * std::sin(static_cast<double>(a)));
    // Points off the ellipse's map part are left out, not kept with no height.
    if (!appendFilled(scene, values, px, pz, true, result))
      break;
  }
  return result;
}

// Runs a fill whole or not at all as far as memory goes: when a list cannot
// grow for want of memory, every list goes back to what it held and the fill
// places nothing. A fill stopped by the object limit keeps what it placed.
FillResult wholeOrNothing(Scene &scene, ProgramValues &values,
                          FillResult (*fill)(Scene &, ProgramValues &)) {
  const std::array<ScData::Mark, kObjectTypes> marks = scene.document().marks();
  FillResult result = fill(scene, values);
  if (result.outOfMemory) {
    scene.document().rollBack(marks);
    result.placed = 0;
  }
  return result;
}

} // namespace

bool placeSingle(Scene &scene, const ProgramValues &values, Point map, int height) {
  const int type = currentTypeIndex(values);
  if (scene.document().append(type, ScItem{static_cast<double>(map.x), static_cast<double>(height),
                                           static_cast<double>(map.y), values.placeHeightMode,
                                           static_cast<double>(values.placeHeight)}) != 0)
    return false;
  const vIcon &marker = scene.markers[static_cast<std::size_t>(type)];
  const Point pane = scene.panePointOf(map.x, map.y);
  scene.surface().drawIcon(marker, pane.x - 4, pane.y - 4);
  // Zoomed, viewImage holds no marks: the pane draws them at their own size.
  const bool marksOnView = scene.zoom == 0;
  if (marksOnView)
    scene.viewImage.drawIcon(marker, map.x - 4, map.y - 4);
  const ScData &list = scene.document().objects()[static_cast<std::size_t>(type)];
  if (values.showOrder && list.count() > 1) {
    const ScItem &now = list[list.count() - 1];
    const ScItem &before = list[list.count() - 2];
    const Point a = scene.panePointOf(now.x, now.z);
    const Point b = scene.panePointOf(before.x, before.z);
    scene.surface().drawLine(a.x, a.y, b.x, b.y);
    if (marksOnView)
      scene.viewImage.drawLine(truncToInt(now.x), truncToInt(now.z), truncToInt(before.x),
                               truncToInt(before.z));
  }
  return true;
}

FillResult fillLine(Scene &scene, ProgramValues &values) {
  return wholeOrNothing(scene, values, line);
}

FillResult fillBox(Scene &scene, ProgramValues &values) {
  return wholeOrNothing(scene, values, box);
}

FillResult fillCircle(Scene &scene, ProgramValues &values) {
  return wholeOrNothing(scene, values, circle);
}

std::string fillLimitMessage(long long placed) {
  return "Too many objects!!\n\nThe fill stopped at the limit\nafter placing " +
         std::to_string(placed) + " objects";
}

} // namespace hs
