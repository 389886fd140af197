#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <algorithm>

namespace hs {

struct PovPoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// Off the map, or outside baseImage should it ever be smaller than the map.
inline bool offMap(const Scene &scene, int x, int y) {
  const auto w = static_cast<unsigned>(std::min(scene.mapWidth, scene.baseImage.width()));
  const auto h = static_cast<unsigned>(std::min(scene.mapHeight, scene.baseImage.height()));
  return static_cast<unsigned>(x) >= w || static_cast<unsigned>(y) >= h;
}

// Height of a Targa map pixel: its blue component, or -1 off the map or on pure white.
inline int height8At(const Scene &scene, int x, int y) {
  if (offMap(scene, x, y))
    return -1;
  // Stored pixels are always opaque, 0xFFRRGGBB: pure white is the whole
  // word of ones.
  const std::uint32_t p = scene.baseImage.rowPixels(y)[x];
  return p == 0xFFFFFFFFu ? -1 : static_cast<int>(height8Of(p));
}

// Height of a PPM map pixel: red + 256 * green, or -1 off the map.
inline int height16At(const Scene &scene, int x, int y) {
  if (offMap(scene, x, y))
    return -1;
  const std::uint32_t p = scene.baseImage.rowPixels(y)[x];
  return static_cast<int>(height16Of(p));
}

// The sampler the loaded map's type selects.
inline int heightAt(const Scene &scene, int x, int y) {
  return scene.hfType != 0 ? height16At(scene, x, y) : height8At(scene, x, y);
}

// heightAt at an item's position, truncated toward zero.
int heightAtItem(const Scene &scene, double x, double z);
// 255 for a Targa map, 65535 for a PPM map.
int maxHeight(const Scene &scene);

// Converts an item to POV coordinates. cameraY is 0 for the camera itself and
// the camera's converted Y for everything else.
PovPoint toPov(const Scene &scene, const ProgramValues &values, const ScItem &item, float cameraY);

// Maps the camera, the look-at point and every object proportionally from the
// previous map size to the present one and samples their heights again.
void rescaleToMap(Scene &scene);

} // namespace hs
