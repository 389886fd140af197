#include "core/LRMemoryDC.h"

#include <algorithm>

namespace hs {

void LRMemoryDC::paintAtOrBelow(int w, int h, int sixteenBit, unsigned level, ColourValue colour) {
  w = std::min(w, width());
  h = std::min(h, height());
  const std::uint32_t paint = toQtPixel(colour);
  // Pixels are stored as 0xAARRGGBB: blue is the low byte, red bits 16..23.
  for (int y = 0; y < h; ++y) {
    std::uint32_t *row = rowPixels(y);
    if (sixteenBit) {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t p = row[x];
        const unsigned height = ((p >> 16) & 0xFFu) | (p & 0xFF00u);
        row[x] = height <= level ? paint : p;
      }
    } else {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t p = row[x];
        row[x] = (p & 0xFFu) <= level ? paint : p;
      }
    }
  }
}

} // namespace hs
