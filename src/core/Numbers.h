#pragma once

#include <algorithm>
#include <climits>

namespace hs {

// Truncates toward zero; values beyond the int range saturate and nan gives 0.
// Every double that becomes a pixel, a height-map position or an index goes
// through here, so far-off or broken values never overflow.
constexpr int truncToInt(double v) {
  if (v != v)
    return 0;
  if (!(v > static_cast<double>(INT_MIN)))
    return INT_MIN;
  if (!(v < static_cast<double>(INT_MAX)))
    return INT_MAX;
  return static_cast<int>(v);
}

// A map position as a drawing coordinate: truncated, and kept within a
// billion pixels so that the drawing code's own offsets cannot overflow.
constexpr int toPixel(double v) { return std::clamp(truncToInt(v), -1'000'000'000, 1'000'000'000); }

// Integer sums of pane coordinates and offsets, saturated into the int range.
constexpr int clampToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace hs
