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

MapPoint mapPoint(Point m) { return {static_cast<double>(m.x), static_cast<double>(m.y)}; }

// Where a fill goes: from the first to the last point of the gesture, in map
// pixels.
struct Span {
  Point from;
  Point to;
};

// The start of a line or box fill and the step between its n evenly spaced
// positions along each axis, in map coordinates.
struct Spacing {
  MapPoint start;
  double dx;
  double dz;
};

Spacing evenSpacing(Span span, int n) {
  const MapPoint p0 = mapPoint(span.from);
  const MapPoint p1 = mapPoint(span.to);
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
bool appendFilled(Document &document, ProgramValues &values, int px, int pz, bool skipOffMap,
                  FillResult &result) {
  const int h = heightAt(document, px, pz);
  if ((skipOffMap && h < 0) || !fillAllowed(document.areas(), px, pz))
    return true;
  const int type = randomTypeFor(values);
  if (document.append(type, ScItem{static_cast<double>(px), static_cast<double>(h),
                                   static_cast<double>(pz), values.placeHeightMode,
                                   static_cast<double>(values.placeHeight)}) != 0) {
    result.stopped = true;
    result.outOfMemory = document.budget().used < document.budget().limit;
    return false;
  }
  ++result.placed;
  return true;
}

FillResult line(Document &document, ProgramValues &values, Span span) {
  FillResult result;
  const int n = values.fillCount;
  if (n <= 1)
    return result;
  const auto [p0, dx, dz] = evenSpacing(span, n);
  for (int i = 0; i < n; ++i) {
    const double r = values.fillRandomPlace ? static_cast<double>(randomParameter(values, n))
                                            : static_cast<double>(i);
    if (!appendFilled(document, values, truncToInt(p0.x + r * dx), truncToInt(p0.z + r * dz), false,
                      result))
      break;
  }
  return result;
}

FillResult box(Document &document, ProgramValues &values, Span span) {
  FillResult result;
  const int n = values.fillCount;
  if (n <= 1)
    return result;
  const auto [p0, dx, dz] = evenSpacing(span, n);
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
      if (!appendFilled(document, values, px, pz, false, result))
        return result;
    }
  }
  return result;
}

FillResult circle(Document &document, ProgramValues &values, Span span) {
  FillResult result;
  const int n = values.fillCount;
  if (n <= 1)
    return result;
  constexpr double pi = std::numbers::pi;
  const auto [mx, mz] = mapPoint(span.from);
  const MapPoint edge = mapPoint(span.to);
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
    if (!appendFilled(document, values, px, pz, true, result))
      break;
  }
  return result;
}

// Runs a fill whole or not at all as far as memory goes: when a list cannot
// grow for want of memory, every list goes back to what it held and the fill
// places nothing. A fill stopped by the object limit keeps what it placed.
FillResult wholeOrNothing(Document &document, ProgramValues &values, Span span,
                          FillResult (*fill)(Document &, ProgramValues &, Span)) {
  const std::array<ScData::Mark, kObjectTypes> marks = document.marks();
  FillResult result = fill(document, values, span);
  if (result.outOfMemory) {
    document.rollBack(marks);
    result.placed = 0;
  }
  return result;
}

} // namespace

bool placeSingle(Document &document, const ProgramValues &values, Point map, int height) {
  return document.append(currentTypeIndex(values),
                         ScItem{static_cast<double>(map.x), static_cast<double>(height),
                                static_cast<double>(map.y), values.placeHeightMode,
                                static_cast<double>(values.placeHeight)}) == 0;
}

FillResult fillLine(Document &document, ProgramValues &values, Point from, Point to) {
  return wholeOrNothing(document, values, {from, to}, line);
}

FillResult fillBox(Document &document, ProgramValues &values, Point from, Point to) {
  return wholeOrNothing(document, values, {from, to}, box);
}

FillResult fillCircle(Document &document, ProgramValues &values, Point centre, Point edge) {
  return wholeOrNothing(document, values, {centre, edge}, circle);
}

std::string fillLimitMessage(long long placed) {
  return "Too many objects!!\n\nThe fill stopped at the limit\nafter placing " +
         std::to_string(placed) + " objects";
}

} // namespace hs
