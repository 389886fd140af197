#pragma once

#include "core/LRMemoryDC.h"

namespace hs {

// Zoom levels: the map shows at 2^zoom screen pixels a map pixel.
inline constexpr int kMinZoom = -4;
inline constexpr int kMaxZoom = 4;

// The zoomed size of a side of size pixels: size * 2^zoom, rounded up when
// zoomed out (a last, partly covered screen pixel shows what there is).
int zoomedSize(int size, int zoom);

// The zoomed coordinate (before any scroll offset) of map coordinate v: v *
// 2^zoom plus half a block zoomed in, the screen pixel's zoomed out.
double zoomedCoord(double v, int zoom);

// Where the pointer is on the map, as finely as the screen shows it: (x, z)
// in map pixels, at the top-left corner of the screen pixel under it, and the
// zoom it was shown at (so x * 2^zoom is that screen pixel's zoomed coordinate).
struct MapPointer {
  double x = 0.0;
  double z = 0.0;
  int zoom = 0;
};

// Fills out (its own size) with what a pane shows of src at zoom (kMinZoom
// .. kMaxZoom) from the zoomed offsets (x0, y0): zoomed in, each src pixel a
// square block; zoomed out, each screen pixel the average of the src pixels
// it covers (those inside src only). Screen pixels beyond src are left as
// they are.
void zoomPicture(const LRMemoryDC &src, int zoom, int x0, int y0, LRMemoryDC &out);

} // namespace hs
