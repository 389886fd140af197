#pragma once

#include "core/Area.h"
#include "core/ScItem.h"
#include "gui/image/vMemoryDC.h"

#include <vector>

namespace hs {

// The mouse gesture under way on the map: the presses counted, where it
// started and where it is now (on the pane, for the figures the view shows,
// and the map pixels under them, for the tools), and the item it picked.
struct Gesture {
  int clickCount = 0;
  Point firstPoint;
  Point lastPoint;
  Point firstMap;
  Point lastMap;
  double pickType = 0;
  double pickIndex = 0;
  double pickKind = 0; // 0 nothing, 1 camera, 2 look-at point, 3 object
  ScItem workItem;
  // The corners of the area being drawn (map pixels, and where they were
  // clicked on the pane for the figure).
  std::vector<AreaCorner> areaDraft;
  std::vector<Point> areaDraftPane;
};

} // namespace hs
