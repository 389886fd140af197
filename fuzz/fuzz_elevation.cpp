// fuzz-links: hs_elevation
// Any bytes as a small grid of elevations with voids, and a size to resample
// to: the range, the area average, the void fill and the levels keep their
// promises (no void left, every filled cell within the range).
#include "elevation/Elevation.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 4)
    return 0;
  const int w = 1 + data[0] % 64, h = 1 + data[1] % 64, size2 = data[2] % 70;
  data += 4;
  size -= 4;
  hs::ElevationGrid grid{w, h, {}};
  for (int k = 0; k < w * h; ++k) {
    float v = std::nanf("");
    if ((static_cast<std::size_t>(k) + 1) * 4 <= size)
      std::memcpy(&v, data + static_cast<std::size_t>(k) * 4, 4);
    grid.cells.push_back(std::isfinite(v) && std::abs(v) < 1e30f ? v : std::nanf(""));
  }
  const hs::GridSize out = hs::resampledSize(w, h, size2);
  if (out.width > w || out.height > h || out.width < 1 || out.height < 1)
    std::abort();
  grid = hs::resampleByArea(grid, out.width, out.height);
  const auto range = hs::elevationRange(grid);
  if (!range)
    return 0;
  hs::fillVoids(grid, *range);
  for (const float v : grid.cells)
    if (!(v >= range->lo && v <= range->hi))
      std::abort();
  if (range->hi > range->lo)
    (void)hs::levelsOf(grid, *range);
  return 0;
}
