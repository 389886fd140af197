// The ground rules of a scatter: the region, the altitude band, the water and the slope.
#include "placement/ScatterGround.h"

#include "placement/Scatter.h"
#include "terrain/Height.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace hs {

namespace {

// A squared scale factor that stays finite, so that 0 x factor is 0.
double finiteSquare(double v) {
  const double s = v * v;
  return std::isfinite(s) ? s : std::numeric_limits<double>::max();
}

} // namespace

namespace scatter_ground {

int usableWidth(const Document &document) {
  return std::max(0, std::min(document.mapWidth(), document.baseImage().width()));
}
int usableHeight(const Document &document) {
  return std::max(0, std::min(document.mapHeight(), document.baseImage().height()));
}

CellSlope cellSlopeOf(const Document &document, const ScatterRules &rules) {
  const double yPerLevel = static_cast<double>(document.scaleY()) / maxHeight(document);
  const double colSpacing = static_cast<double>(document.scaleX()) / (usableWidth(document) - 1);
  const double rowSpacing = static_cast<double>(document.scaleZ()) / (usableHeight(document) - 1);
  CellSlope s{finiteSquare(yPerLevel / colSpacing), finiteSquare(yPerLevel / rowSpacing),
              std::numeric_limits<double>::infinity()};
  if (rules.useSlope && rules.maxSlope < 90.0) {
    const double t = std::tan(std::max(rules.maxSlope, 0.0) * std::numbers::pi / 180.0);
    s.limit2 = t * t;
  }
  return s;
}

} // namespace scatter_ground

using namespace scatter_ground;

bool ScatterRegion::contains(int x, int z) const {
  switch (kind) {
  case Box:
    return x >= std::min(a, c) && x <= std::max(a, c) && z >= std::min(b, d) && z <= std::max(b, d);
  case Ellipse: {
    // (dx/rx)^2 + (dz/rz)^2 <= 1 without dividing, so a flat ellipse is a line.
    const double dx = x - a;
    const double dz = z - b;
    return dx * dx * d * d + dz * dz * c * c <= c * c * d * d;
  }
  case WholeMap:
    break;
  }
  return true;
}

GroundRules::GroundRules(const Document &document, const ScatterRules &rules,
                         const ScatterRegion &region)
    : document_(document), rules_(rules), region_(region), maxH_(maxHeight(document)), lowest_(0),
      highest_(0), water_(document.waterLevel()), kx_(0), kz_(0), limit2_(0) {
  const CellSlope s = cellSlopeOf(document, rules);
  kx_ = s.kx;
  kz_ = s.kz;
  limit2_ = s.limit2;
  // The band in ground values: y = value / maxHeight x scaleY.
  const double perLevel = static_cast<double>(document.scaleY()) / maxH_;
  lowest_ = 0;
  highest_ = maxH_;
  if (rules.useAltitude) {
    lowest_ = maxH_ + 1;
    highest_ = -1;
    for (int v = 0; v <= maxH_; ++v) {
      const double y = v * perLevel;
      if (y >= rules.lowest && y <= rules.highest) {
        lowest_ = std::min(lowest_, v);
        highest_ = v;
      }
    }
  }
}

int GroundRules::height(int x, int z) const { return heightAt(document_, x, z); }

double GroundRules::steepness2(int x, int z) const {
  const CellSlope s{kx_, kz_, limit2_};
  double worst = 0.0;
  // Each triangle by its right-angled corner's neighbours across and down.
  auto consider = [&](int ax, int bx, int az, int bz) {
    if (ax >= 0 && bx >= 0 && az >= 0 && bz >= 0)
      worst = std::max(worst, s.tangent2(ax, bx, az, bz));
  };
  auto h = [&](int dx, int dz) { return height(x + dx, z + dz); };
  // The cell above and to the left: both triangles.
  consider(h(-1, -1), h(0, -1), h(0, 0), h(0, -1));
  consider(h(-1, 0), h(0, 0), h(-1, 0), h(-1, -1));
  // Above and to the right: its lower left triangle.
  consider(h(0, 0), h(1, 0), h(0, 0), h(0, -1));
  // Below and to the left: its upper right triangle.
  consider(h(-1, 0), h(0, 0), h(0, 1), h(0, 0));
  // Below and to the right: both.
  consider(h(0, 0), h(1, 0), h(1, 1), h(1, 0));
  consider(h(0, 1), h(1, 1), h(0, 1), h(0, 0));
  return worst;
}

double GroundRules::slopeAt(int x, int z) const {
  return std::atan(std::sqrt(steepness2(x, z))) * 180.0 / std::numbers::pi;
}

bool GroundRules::allows(int x, int z) const {
  if (!region_.contains(x, z))
    return false;
  const int h = height(x, z);
  return h >= 0 && heightAllowed(h) && (!rules_.useSlope || steepness2(x, z) <= limit2_);
}

bool GroundRules::heightAllowed(int h) const {
  if (h < lowest_ || h > highest_)
    return false;
  return !rules_.noWater || h > water_;
}

} // namespace hs
