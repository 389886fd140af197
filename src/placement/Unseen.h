#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <QImage>

#include <span>

namespace hs {

// A map-sized mask, one byte a pixel, non-zero where the polygon filled
// even-odd and outlined with the scene's pen width covers the map: the pixels
// the shading would turn grey, whatever colour the map has there. The storage
// is reused by the next call. Null when there is no memory for it.
const QImage &coverMask(const Scene &scene, std::span<const Point> polygon);

// Deletes every object on the map that lies in the part the camera cannot
// see (view angle 36), then redraws.
void deleteUnseen(Scene &scene);

inline bool maskCovers(const QImage &mask, int x, int y) {
  return x >= 0 && y >= 0 && x < mask.width() && y < mask.height() && mask.constScanLine(y)[x] != 0;
}

} // namespace hs
