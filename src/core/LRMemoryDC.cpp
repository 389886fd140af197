#include "core/LRMemoryDC.h"

#include <algorithm>

namespace hs {

namespace {

// The colour is read whatever the height, so the choice is a select and the
// loop vectorises: over a map of many colours a branch here mispredicts half
// the time.
template <unsigned (*Height)(std::uint32_t)>
void waterRowOf(const std::uint32_t *heights, const std::uint32_t *colours, std::uint32_t *out,
                int n, unsigned level, std::uint32_t paint) {
  for (int x = 0; x < n; ++x) {
    const std::uint32_t colour = colours[x];
    out[x] = Height(heights[x]) <= level ? paint : colour;
  }
}

} // namespace

void waterRow(const std::uint32_t *heights, const std::uint32_t *colours, std::uint32_t *out, int n,
              int sixteenBit, unsigned level, std::uint32_t paint) {
  if (sixteenBit)
    waterRowOf<height16Of>(heights, colours, out, n, level, paint);
  else
    waterRowOf<height8Of>(heights, colours, out, n, level, paint);
}

void LRMemoryDC::paintAtOrBelow(int w, int h, int sixteenBit, unsigned level, ColourValue colour) {
  w = std::min(w, width());
  h = std::min(h, height());
  const std::uint32_t paint = toQtPixel(colour);
  for (int y = 0; y < h; ++y) {
    std::uint32_t *row = rowPixels(y);
    if (sixteenBit) {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t p = row[x];
        row[x] = height16Of(p) <= level ? paint : p;
      }
    } else {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t p = row[x];
        row[x] = height8Of(p) <= level ? paint : p;
      }
    }
  }
}

} // namespace hs
