#pragma once

#include "core/LRMemoryDC.h"

namespace hs {

// Zoom levels: the map shows at 2^zoom screen pixels a map pixel.
inline constexpr int kMinZoom = -4;
inline constexpr int kMaxZoom = 4;

// The zoomed size of a side of size pixels: size * 2^zoom, rounded up when
// zoomed out (a last, partly covered screen pixel shows what there is).
int zoomedSize(int size, int zoom);

// Fills out (its own size) with what a pane shows of src at zoom (kMinZoom
// .. kMaxZoom) from the zoomed offsets (x0, y0): zoomed in, each src pixel a
// square block; zoomed out, each screen pixel the average of the src pixels
// it covers (those inside src only). Screen pixels beyond src are left as
// they are.
void zoomPicture(const LRMemoryDC &src, int zoom, int x0, int y0, LRMemoryDC &out);

} // namespace hs
