#pragma once

#include "core/Document.h"
#include "core/ProgramValues.h"
#include "terrain/HeightFieldFormats.h"

#include <algorithm>

namespace hs {

struct PovPoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// Off the map, or outside baseImage should it ever be smaller than the map.
inline bool offMap(const Document &document, int x, int y) {
  const auto w = static_cast<unsigned>(std::min(document.mapWidth(), document.baseImage().width()));
  const auto h =
      static_cast<unsigned>(std::min(document.mapHeight(), document.baseImage().height()));
  return static_cast<unsigned>(x) >= w || static_cast<unsigned>(y) >= h;
}

// Height of a Targa map pixel: its blue component, or -1 off the map or on pure white.
inline int height8At(const Document &document, int x, int y) {
  if (offMap(document, x, y))
    return -1;
  // Stored pixels are always opaque, 0xFFRRGGBB: pure white is the whole
  // word of ones.
  const std::uint32_t p = document.baseImage().rowPixels(y)[x];
  return p == 0xFFFFFFFFu ? -1 : static_cast<int>(height8Of(p));
}

// Height of a PPM map pixel: red + 256 * green, or -1 off the map.
inline int height16At(const Document &document, int x, int y) {
  if (offMap(document, x, y))
    return -1;
  const std::uint32_t p = document.baseImage().rowPixels(y)[x];
  return static_cast<int>(height16Of(p));
}

// The sampler the loaded map's type selects.
inline int heightAt(const Document &document, int x, int y) {
  return is16Bit(document.hfType()) ? height16At(document, x, y) : height8At(document, x, y);
}

// heightAt at an item's position, truncated toward zero.
int heightAtItem(const Document &document, double x, double z);
// 255 for a Targa map, 65535 for a PPM map.
int maxHeight(const Document &document);

// Converts an item to POV coordinates. cameraY is 0 for the camera itself and
// the camera's converted Y for everything else.
PovPoint toPov(const Document &document, const ScItem &item, float cameraY);

// Maps the camera, the look-at point and every object proportionally from the
// previous map size to the present one and samples their heights again.
void rescaleToMap(Document &document);

} // namespace hs
