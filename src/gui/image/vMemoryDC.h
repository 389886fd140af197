#pragma once

#include "gui/image/PixelAllocator.h"
#include "gui/image/vColor.h"
#include "gui/image/vIcon.h"
#include "gui/image/vPen.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace hs {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point &) const = default;
};

enum class DrawMode { Normal, Invert };

// An icon in stored pixels (0xFFRRGGBB), converted once to be drawn many times:
// markers are drawn by the hundred thousand. An icon with fewer pixels than its
// size claims becomes an empty one.
struct vIconPixels {
  explicit vIconPixels(const vIcon &icon);

  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels; // row by row, top row first
  bool transparent = false;
  std::uint32_t key = 0; // left out when transparent
};

// The Qt pen style that draws a line style.
Qt::PenStyle toQtPenStyle(LineStyle style);

// An off-screen image that keeps every 24-bit colour exactly. Drawing is
// clipped to the image and never antialiased.
class vMemoryDC {
public:
  // A null image (0 x 0); every read yields kNoColour and drawing does nothing.
  vMemoryDC() = default;
  // A new image of the given size. Its pixels are undefined until the first
  // clear or drawing. An image that cannot be allocated is null; check isNull().
  vMemoryDC(int width, int height);
  virtual ~vMemoryDC() = default;

  vMemoryDC(const vMemoryDC &other);
  vMemoryDC &operator=(const vMemoryDC &other);
  vMemoryDC(vMemoryDC &&other) noexcept;
  vMemoryDC &operator=(vMemoryDC &&other) noexcept;

  int width() const { return width_; }
  int height() const { return height_; }
  bool isNull() const { return pixels_.empty(); }

  // Paints every pixel with the background colour (white).
  void clear() { fill(background_); }
  void fill(vColor colour);

  ColourValue readPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
      return kNoColour;
    return fromQtPixel(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x)]);
  }
  void writePixel(int x, int y, ColourValue colour);
  // Sets pixels (x, y) .. (x + n - 1, y) to the given colours, clipped.
  void paintRow(int x, int y, std::span<const ColourValue> colours);
  // Copies a whole image of the same size; a different size copies nothing.
  bool copyFrom(const vMemoryDC &other);

  void setPen(const vPen &pen) { pen_ = pen; }
  void setBrush(const vBrush &brush) { brush_ = brush; }
  void setDrawMode(DrawMode mode) { mode_ = mode; }
  const vPen &pen() const { return pen_; }
  const vBrush &brush() const { return brush_; }
  DrawMode drawMode() const { return mode_; }
  vColor background() const { return background_; }

  void drawLine(int x1, int y1, int x2, int y2);
  // A closed polygon: outlined with the pen, filled even-odd with the brush.
  void drawPolygon(std::span<const Point> points);
  // The icon's top-left pixel goes to (x, y).
  void drawIcon(const vIcon &icon, int x, int y) { drawIcon(vIconPixels(icon), x, y); }
  void drawIcon(const vIconPixels &icon, int x, int y);
  // Exclusive-or figures between two corner points, one pixel wide whatever the
  // pen: every pixel they cover is inverted exactly once, so drawing the same
  // figure again restores the image. A rectangle, and the ellipse inside it,
  // have the top-left corner (x1, y1) and the bottom-right corner (x2, y2).
  void xorLine(int x1, int y1, int x2, int y2);
  void xorRect(int x1, int y1, int x2, int y2);
  void xorEllipse(int x1, int y1, int x2, int y2);

  // Direct access for fast whole-image passes and for showing the image. The
  // QImage shares this image's pixels (0xFFRRGGBB); it stays valid until the
  // image is assigned anew. Every stored pixel is opaque, and whoever writes
  // through rowPixels keeps it so: the height samplers rely on it.
  const QImage &image() const { return image_; }
  // The same view for painting on with a QPainter; made afresh, so painting
  // cannot detach into a private copy.
  QImage &canvas() {
    wrap();
    return image_;
  }
  std::uint32_t *rowPixels(int y) {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  const std::uint32_t *rowPixels(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }

private:
  enum class Figure { Line, Rect, Ellipse };

  void thinLine(int x1, int y1, int x2, int y2);
  void xorFigure(Figure kind, int x1, int y1, int x2, int y2);
  // An all-zero Grayscale8 mask. Figures are painted into it in white first,
  // so each pixel is inverted once however an outline overlaps itself.
  static QImage blankMask(int width, int height);
  // Inverts every pixel under a non-zero pixel of the mask, whose top-left
  // lies at (atX, atY). The alpha byte stays opaque.
  void xorMask(const QImage &mask, int atX, int atY);

  void wrap();

  std::vector<std::uint32_t, PixelAllocator<std::uint32_t>> pixels_;
  int width_ = 0;
  int height_ = 0;
  QImage image_; // a view of pixels_ for QPainter and display
  vColor background_ = kWhite;
  vPen pen_;
  vBrush brush_;
  DrawMode mode_ = DrawMode::Normal;
};

} // namespace hs
