#pragma once

#include "gui/image/vMemoryDC.h"

namespace hs {

// The program's image: exact pixel reads plus the water fill by height.
class LRMemoryDC : public vMemoryDC {
public:
  LRMemoryDC() = default;
  LRMemoryDC(int width, int height) : vMemoryDC(width, height) {}
  ~LRMemoryDC() override = default;
  LRMemoryDC(const LRMemoryDC &) = default;
  LRMemoryDC &operator=(const LRMemoryDC &) = default;
  LRMemoryDC(LRMemoryDC &&) noexcept = default;
  LRMemoryDC &operator=(LRMemoryDC &&) noexcept = default;

  ColourValue pixelAt(int x, int y) const { return readPixel(x, y); }

  // Writes colour to every pixel of the top-left width x height whose decoded
  // height is at or below level (unsigned compare). Heights decode as
  // red + 256 * green when sixteenBit is non-zero, as blue otherwise.
  void paintAtOrBelow(int width, int height, int sixteenBit, unsigned level, ColourValue colour);
};

} // namespace hs
