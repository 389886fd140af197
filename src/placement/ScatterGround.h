// What the ground rules and the scatter's plan share: the usable map and the slope of its cells.
#pragma once

#include "core/Document.h"
#include "core/ScatterRules.h"

#include <cstdint>

namespace hs::scatter_ground {

int usableWidth(const Document &document);
int usableHeight(const Document &document);

// The steepness bits of one map cell from its corner heights (-1: no
// ground). POV-Ray splits each cell along the diagonal from its upper left to
// its lower right corner (as the map is shown): bit 0 is the upper right
// triangle (upper left, upper right, lower right corners), bit 1 the lower
// left one (upper left, lower left, lower right). A triangle with a corner
// without ground is never steep.
struct CellSlope {
  double kx;     // squared POV height per level, over squared column spacing
  double kz;     // the same for rows
  double limit2; // squared tangent of the slope limit

  // The squared tangent of a right-angled triangle's slope, from the heights
  // at the ends of its leg across (ax, bx) and of its leg down (az, bz).
  double tangent2(int ax, int bx, int az, int bz) const {
    const double gx = bx - ax;
    const double gz = bz - az;
    return gx * gx * kx + gz * gz * kz;
  }
  std::uint8_t flags(int tl, int tr, int bl, int br) const {
    if (tl < 0 || br < 0)
      return 0;
    std::uint8_t f = 0;
    if (tr >= 0 && tangent2(tl, tr, br, tr) > limit2)
      f |= 1;
    if (bl >= 0 && tangent2(bl, br, bl, tl) > limit2)
      f |= 2;
    return f;
  }
};

CellSlope cellSlopeOf(const Document &document, const ScatterRules &rules);

} // namespace hs::scatter_ground
