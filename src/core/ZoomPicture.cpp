#include "core/ZoomPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace hs {

namespace {

// Zoomed in by 2^shift: each src pixel repeated into a block; rows that show
// the same src row are copies of the first.
void zoomIn(const LRMemoryDC &src, int shift, int x0, int y0, LRMemoryDC &out, int w, int h) {
  const int block = 1 << shift;
  int shownRow = -1;
  for (int y = 0; y < h; ++y) {
    const int sy = (y0 + y) >> shift;
    std::uint32_t *dst = out.rowPixels(y);
    if (sy == shownRow) {
      std::copy(out.rowPixels(y - 1), out.rowPixels(y - 1) + w, dst);
      continue;
    }
    shownRow = sy;
    const std::uint32_t *row = src.rowPixels(sy);
    int x = 0;
    // The first block may be cut by the offset.
    for (int sx = x0 >> shift; x < w; ++sx) {
      const int end = std::min(w, (sx + 1) * block - x0);
      std::fill(dst + x, dst + end, row[sx]);
      x = end;
    }
  }
}

// Zoomed out by 2^shift: rows y0s .. y1s - 1 of out, each pixel the average of
// a block of src. Red and blue add up together in one word (a block of at most
// 16 x 16 pixels cannot carry blue into red), green in another.
void zoomOutRows(const LRMemoryDC &src, int shift, int x0, int y0, LRMemoryDC &out, int w, int ya,
                 int yb) {
  const int block = 1 << shift;
  std::vector<std::uint32_t> redBlue(static_cast<std::size_t>(w));
  std::vector<std::uint32_t> green(static_cast<std::size_t>(w));
  std::vector<std::uint32_t> count(static_cast<std::size_t>(w)); // src columns of each pixel
  const int srcW = src.width();
  const int left = x0 << shift;
  for (int x = 0; x < w; ++x)
    count[static_cast<std::size_t>(x)] =
        static_cast<std::uint32_t>(std::clamp(srcW - (left + (x << shift)), 0, block));
  for (int y = ya; y < yb; ++y) {
    std::fill(redBlue.begin(), redBlue.end(), 0);
    std::fill(green.begin(), green.end(), 0);
    const int top = (y0 + y) << shift;
    const int bottom = std::min(top + block, src.height());
    for (int sy = top; sy < bottom; ++sy) {
      const std::uint32_t *row = src.rowPixels(sy) + left;
      const int n = std::min(w << shift, srcW - left);
      for (int i = 0; i < n; ++i) {
        redBlue[static_cast<std::size_t>(i >> shift)] += row[i] & 0x00FF00FFu;
        green[static_cast<std::size_t>(i >> shift)] += row[i] & 0x0000FF00u;
      }
    }
    const auto rows = static_cast<std::uint32_t>(bottom - top);
    std::uint32_t *dst = out.rowPixels(y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = std::max(rows * count[static_cast<std::size_t>(x)], 1u);
      const std::uint32_t rb = redBlue[static_cast<std::size_t>(x)];
      const std::uint32_t r = (rb >> 16) / c;
      const std::uint32_t b = (rb & 0xFFFFu) / c;
      const std::uint32_t g = (green[static_cast<std::size_t>(x)] >> 8) / c;
      dst[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
  }
}

} // namespace

int zoomedSize(int size, int zoom) {
  if (zoom >= 0)
    return size << zoom;
  const int block = 1 << -zoom;
  return (size + block - 1) / block;
}

void zoomPicture(const LRMemoryDC &src, int zoom, int x0, int y0, LRMemoryDC &out) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (src.isNull() || out.isNull() || x0 < 0 || y0 < 0)
    return;
  const int w = std::min(out.width(), zoomedSize(src.width(), zoom) - x0);
  const int h = std::min(out.height(), zoomedSize(src.height(), zoom) - y0);
  if (w <= 0 || h <= 0)
    return;
  if (zoom >= 0) {
    zoomIn(src, zoom, x0, y0, out, w, h);
    return;
  }
  // Zoomed far out a pane shows much of the map: two halves at once.
  const int shift = -zoom;
  const int split = (static_cast<long long>(w) * h) << (2 * shift) >= (1 << 22) ? h / 2 : 0;
  std::thread lower;
  if (split > 0) {
    try {
      lower = std::thread([&] { zoomOutRows(src, shift, x0, y0, out, w, split, h); });
    } catch (const std::system_error &) {
      zoomOutRows(src, shift, x0, y0, out, w, split, h);
    }
  }
  zoomOutRows(src, shift, x0, y0, out, w, 0, split > 0 ? split : h);
  if (lower.joinable())
    lower.join();
}

double zoomedCoord(double v, int zoom) {
  if (zoom >= 0)
    return v * static_cast<double>(1 << zoom) +
           (zoom > 0 ? static_cast<double>(1 << (zoom - 1)) : 0.0);
  return std::floor(v / static_cast<double>(1 << -zoom));
}

} // namespace hs
