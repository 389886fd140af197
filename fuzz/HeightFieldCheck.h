#pragma once

// What every height-field load must keep, whatever the bytes: a known result
// code, a failed load leaving the map as it was, and images of the map's size.

#include "terrain/HeightField.h"

#include <cstdlib>

template <class Load> void checkHeightFieldLoad(hs::Scene &scene, Load load) {
  const int w = scene.mapWidth;
  const int h = scene.mapHeight;
  const int result = load(scene);
  if (result < hs::Loaded || result > hs::ShortData)
    std::abort();
  if (result != hs::Loaded && (scene.mapWidth != w || scene.mapHeight != h))
    std::abort();
  if (scene.baseImage.width() != scene.mapWidth || scene.viewImage.height() != scene.mapHeight)
    std::abort();
}
