#include "core/CameraView.h"

#include "core/Numbers.h"

#include <cmath>
#include <numbers>

namespace hs {

PointD borderHitExact(const Document &document, PointD v, PointD p) {
  const double W = document.mapWidth();
  const double H = document.mapHeight();
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

Point borderHit(const Document &document, PointD from, PointD through) {
  const PointD r = borderHitExact(document, from, through);
  return {toPixel(r.x), toPixel(r.z)};
}

std::vector<Point> viewPolygon(const Document &document, double angle) {
  const PointD v{document.camera().x, document.camera().z};
  const double dx = document.lookAt().x - v.x;
  const double dz = document.lookAt().z - v.z;
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
  const PointD r1 = borderHitExact(document, v, p1);
  const PointD r2 = borderHitExact(document, v, p2);

  const double W = document.mapWidth();
  const double H = document.mapHeight();
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

} // namespace hs
