#pragma once

#include <vector>

namespace hs {

// A corner of an area, in map pixels.
struct AreaCorner {
  double x = 0.0;
  double z = 0.0;
  bool operator==(const AreaCorner &) const = default;
};

// A polygon of the map that every scatter keeps out of; one marked so keeps
// the fills out too. Inside is by the even-odd rule, so a polygon that crosses
// itself leaves its doubly covered parts open.
struct Area {
  std::vector<AreaCorner> corners;
  bool keepsFillsOut = false;
  bool operator==(const Area &) const = default;

  bool contains(double x, double z) const;
  // The spans of whole pixels of row z inside the area, as pairs of first and
  // last column (both included), in order; appended to spans.
  void rowSpans(int z, std::vector<int> &spans) const;
};

// Whether a fill may put an object at (x, z): outside every area that keeps
// fills out.
bool fillAllowed(const std::vector<Area> &areas, double x, double z);

} // namespace hs
