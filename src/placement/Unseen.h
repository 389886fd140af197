#pragma once

#include "core/CameraView.h"
#include "core/Document.h"
#include "core/ProgramValues.h"

#include <QImage>

#include <span>

namespace hs {

// A map-sized mask, one byte a pixel, non-zero where the polygon filled
// even-odd and outlined kUnseenOutline wide covers the map: the pixels the
// shading turns grey, whatever colour the map has there and however the map
// is shown. The storage is reused by the next call. Null when there is no
// memory for it.
const QImage &coverMask(const Document &document, std::span<const Point> polygon);

// Deletes every object on the map that lies in the part the camera cannot
// see (view angle 36).
void deleteUnseen(Document &document);

inline bool maskCovers(const QImage &mask, int x, int y) {
  return x >= 0 && y >= 0 && x < mask.width() && y < mask.height() && mask.constScanLine(y)[x] != 0;
}

} // namespace hs
