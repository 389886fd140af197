#include "core/Area.h"

#include <algorithm>
#include <cmath>

namespace hs {

namespace {

// Where the edges cross the line at height z, sorted: each edge takes its
// lower end and not its upper one, so a corner on the line counts once.
std::vector<double> crossings(const std::vector<AreaCorner> &c, double z) {
  std::vector<double> xs;
  const std::size_t n = c.size();
  for (std::size_t i = 0; i < n && n >= 3; ++i) {
    const AreaCorner &a = c[i];
    const AreaCorner &b = c[(i + 1) % n];
    if ((a.z <= z) != (b.z <= z))
      xs.push_back(a.x + (z - a.z) * (b.x - a.x) / (b.z - a.z));
  }
  std::sort(xs.begin(), xs.end());
  return xs;
}

} // namespace

bool Area::contains(double x, double z) const {
  const std::vector<double> xs = crossings(corners, z);
  return (std::upper_bound(xs.begin(), xs.end(), x) - xs.begin()) % 2 == 1;
}

void Area::rowSpans(int z, std::vector<int> &spans) const {
  const std::vector<double> xs = crossings(corners, z);
  for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
    // From the first crossing on, up to but not at the second, as contains counts them.
    const double from = std::ceil(xs[i]);
    const double to = std::ceil(xs[i + 1]) - 1;
    if (from <= to && std::isfinite(from) && std::isfinite(to) && to > -2e9 && from < 2e9) {
      spans.push_back(static_cast<int>(std::max(from, -2e9)));
      spans.push_back(static_cast<int>(std::min(to, 2e9)));
    }
  }
}

bool fillAllowed(const std::vector<Area> &areas, double x, double z) {
  return std::none_of(areas.begin(), areas.end(),
                      [&](const Area &a) { return a.keepsFillsOut && a.contains(x, z); });
}

} // namespace hs
