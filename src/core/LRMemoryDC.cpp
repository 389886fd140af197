#include "core/LRMemoryDC.h"

#include <algorithm>

namespace hs {

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
