#pragma once

#include "core/Document.h"

#include <vector>

namespace hs {

// Where the ray from `from` through `through` leaves the map rectangle
// (0..mapWidth, 0..mapHeight), in map coordinates.
struct PointD {
  double x = 0.0;
  double z = 0.0;
};
PointD borderHitExact(const Document &document, PointD from, PointD through);
// The same, truncated toward zero to a pixel position.
Point borderHit(const Document &document, PointD from, PointD through);

// The polygon that covers the part of the map the camera cannot see with a
// half-angle parameter of angle degrees: the camera, the two border hits and
// the corners behind the camera, closed by the camera again. Empty when the
// camera and the look-at point coincide (no direction, nothing shaded) or a
// position is not a finite number.
std::vector<Point> viewPolygon(const Document &document, double angle);

// The width of the outline the shading of that part is drawn with: it is
// shaded too.
inline constexpr int kUnseenOutline = 1;

} // namespace hs
