#pragma once

#include "gui/image/vMemoryDC.h"

#include <cstdint>

namespace hs {

// The height a stored pixel (0xFFRRGGBB) stands for: red + 256 * green on a
// PPM map, blue on a Targa map. Every reader of heights decodes through these.
constexpr unsigned height16Of(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u);
}
constexpr unsigned height8Of(std::uint32_t pixel) { return pixel & 0xFFu; }

// One row of water over a picture: out[x] = paint where heights[x] decodes
// (as in LRMemoryDC::paintAtOrBelow) to at or below level, colours[x]
// elsewhere, for n pixels.
void waterRow(const std::uint32_t *heights, const std::uint32_t *colours, std::uint32_t *out, int n,
              int sixteenBit, unsigned level, std::uint32_t paint);

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
