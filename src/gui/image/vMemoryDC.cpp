#include "gui/image/vMemoryDC.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace hs {

namespace {

QColor toQColor(vColor c) { return QColor(c.r(), c.g(), c.b()); }

// Exact pixel work: no antialiasing. Inverting is done by us on the pixels
// (see xorMask), since Qt's XOR raster op also flips the alpha byte.
void preparePainter(QPainter &p) { p.setRenderHint(QPainter::Antialiasing, false); }

constexpr std::uint32_t kInvert = 0x00FFFFFFu;

// An icon's row in 16-byte moves, the last one overlapping the one before:
// markers are rows of seven, drawn by the hundred thousand, and a call to
// memmove would cost more than the row.
void copyShortRow(const std::uint32_t *src, std::uint32_t *dst, int n) {
  if (n < 4) {
    for (int i = 0; i < n; ++i)
      dst[i] = src[i];
    return;
  }
  for (int i = 0; i + 4 < n; i += 4)
    std::memcpy(dst + i, src + i, 16);
  std::memcpy(dst + n - 4, src + n - 4, 16);
}

} // namespace

Qt::PenStyle toQtPenStyle(LineStyle style) {
  switch (style) {
  case LineStyle::Dash:
    return Qt::DashLine;
  case LineStyle::Dot:
    return Qt::DotLine;
  case LineStyle::Solid:
    break;
  }
  return Qt::SolidLine;
}

vMemoryDC::vMemoryDC(int width, int height) {
  if (width <= 0 || height <= 0 || width > 65536 || height > 65536)
    return;
  try {
    // Opaque black: every stored pixel keeps its alpha byte at 0xFF.
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                   toQtPixel(0));
  } catch (const std::bad_alloc &) {
    return;
  }
  width_ = width;
  height_ = height;
  wrap();
}

vMemoryDC::vMemoryDC(const vMemoryDC &other)
    : pixels_(other.pixels_), width_(other.width_), height_(other.height_),
      background_(other.background_), pen_(other.pen_), brush_(other.brush_), mode_(other.mode_) {
  wrap();
}

vMemoryDC &vMemoryDC::operator=(const vMemoryDC &other) {
  if (this != &other) {
    pixels_ = other.pixels_;
    width_ = other.width_;
    height_ = other.height_;
    background_ = other.background_;
    pen_ = other.pen_;
    brush_ = other.brush_;
    mode_ = other.mode_;
    wrap();
  }
  return *this;
}

vMemoryDC::vMemoryDC(vMemoryDC &&other) noexcept
    : pixels_(std::move(other.pixels_)), width_(other.width_), height_(other.height_),
      background_(other.background_), pen_(other.pen_), brush_(other.brush_), mode_(other.mode_) {
  other.width_ = other.height_ = 0;
  other.pixels_.clear();
  other.wrap();
  wrap();
}

vMemoryDC &vMemoryDC::operator=(vMemoryDC &&other) noexcept {
  if (this != &other) {
    pixels_ = std::move(other.pixels_);
    width_ = other.width_;
    height_ = other.height_;
    background_ = other.background_;
    pen_ = other.pen_;
    brush_ = other.brush_;
    mode_ = other.mode_;
    other.width_ = other.height_ = 0;
    other.pixels_.clear();
    other.wrap();
    wrap();
  }
  return *this;
}

void vMemoryDC::wrap() {
  if (pixels_.empty()) {
    image_ = QImage();
    return;
  }
  image_ = QImage(reinterpret_cast<uchar *>(pixels_.data()), width_, height_,
                  static_cast<qsizetype>(width_) * 4, QImage::Format_RGB32);
}

void vMemoryDC::fill(vColor colour) {
  std::fill(pixels_.begin(), pixels_.end(), toQtPixel(colour.value()));
}

void vMemoryDC::writePixel(int x, int y, ColourValue colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return;
  rowPixels(y)[x] = toQtPixel(colour);
}

void vMemoryDC::paintRow(int x, int y, std::span<const ColourValue> colours) {
  if (y < 0 || y >= height_)
    return;
  std::uint32_t *row = rowPixels(y);
  const long long w = width_;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const long long px = static_cast<long long>(x) + static_cast<long long>(i);
    if (px >= w)
      break;
    if (px >= 0)
      row[px] = toQtPixel(colours[i]);
  }
}

bool vMemoryDC::copyFrom(const vMemoryDC &other) {
  if (other.width() != width() || other.height() != height() || isNull())
    return false;
  std::copy(other.pixels_.begin(), other.pixels_.end(), pixels_.begin());
  return true;
}

void vMemoryDC::drawLine(int x1, int y1, int x2, int y2) {
  if (isNull())
    return;
  if (pen_.width <= 1 && pen_.style == LineStyle::Solid) {
    thinLine(x1, y1, x2, y2);
    return;
  }
  wrap(); // a fresh view, so painting cannot detach into a private copy
  if (mode_ == DrawMode::Invert) {
    // Wide or styled lines in inverting mode are rare; paint a mask and XOR it.
    QImage mask = blankMask(width_, height_);
    {
      QPainter m(&mask);
      preparePainter(m);
      m.setPen(QPen(Qt::white, pen_.width, toQtPenStyle(pen_.style)));
      m.drawLine(x1, y1, x2, y2);
    }
    xorMask(mask, 0, 0);
    return;
  }
  QPainter p(&image_);
  preparePainter(p);
  p.setPen(QPen(toQColor(pen_.colour), pen_.width, toQtPenStyle(pen_.style)));
  p.drawLine(x1, y1, x2, y2);
}

namespace {

// Liang-Barsky against the w x h rectangle grown by one pixel: moves the end
// points onto it, or returns false when the line misses it.
bool clipLine(int &x1, int &y1, int &x2, int &y2, int w, int h) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = static_cast<double>(x2) - x1;
  const double dy = static_cast<double>(y2) - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 + 1.0, w - x1 + 0.0, y1 + 1.0, h - y1 + 0.0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0)
        return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
    if (t0 > t1)
      return false;
  }
  const int nx1 = static_cast<int>(std::lround(x1 + t0 * dx));
  const int ny1 = static_cast<int>(std::lround(y1 + t0 * dy));
  const int nx2 = static_cast<int>(std::lround(x1 + t1 * dx));
  const int ny2 = static_cast<int>(std::lround(y1 + t1 * dy));
  x1 = nx1;
  y1 = ny1;
  x2 = nx2;
  y2 = ny2;
  return true;
}

// Bresenham from a to b, both on the w-wide image at pixels, painting colour
// or inverting: a pointer walk that checks nothing, a row's run at once.
void lineOnImage(std::uint32_t *pixels, int w, Point a, Point b, bool invert,
                 std::uint32_t colour) {
  const int dx = std::abs(b.x - a.x);
  const int dy = -std::abs(b.y - a.y);
  std::uint32_t *px = pixels + static_cast<std::ptrdiff_t>(a.y) * w + a.x;
  if (dy == 0) {
    std::uint32_t *run = px - (b.x < a.x ? dx : 0);
    if (invert)
      for (int i = 0; i <= dx; ++i)
        run[i] ^= kInvert;
    else
      std::fill(run, run + dx + 1, colour);
    return;
  }
  const int sx = a.x < b.x ? 1 : -1;
  const int sy = a.y < b.y ? 1 : -1;
  const std::ptrdiff_t down = sy * static_cast<std::ptrdiff_t>(w);
  auto walk = [&](auto plot) {
    for (int err = dx + dy;;) {
      plot(*px);
      if (a == b)
        break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        a.x += sx;
        px += sx;
      }
      if (e2 <= dx) {
        err += dx;
        a.y += sy;
        px += down;
      }
    }
  };
  if (invert)
    walk([](std::uint32_t &p) { p ^= kInvert; });
  else
    walk([colour](std::uint32_t &p) { p = colour; });
}

} // namespace

// Bresenham with both end points included. A line wholly on the image (order
// lines by the hundred thousand) is walked without checks; one that leaves it
// is clipped first so that a far-off end point costs nothing.
void vMemoryDC::thinLine(int x1, int y1, int x2, int y2) {
  const int w = width();
  const int h = height();
  const std::uint32_t colour = toQtPixel(pen_.colour.value());
  const bool invert = mode_ == DrawMode::Invert;
  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h; };
  if (inside(x1, y1) && inside(x2, y2)) {
    lineOnImage(rowPixels(0), w, {x1, y1}, {x2, y2}, invert, colour);
    return;
  }
  if (!clipLine(x1, y1, x2, y2, w, h))
    return;
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    if (inside(x1, y1)) {
      std::uint32_t &px = rowPixels(y1)[x1];
      px = invert ? (px ^ kInvert) : colour;
    }
    if (x1 == x2 && y1 == y2)
      break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x1 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y1 += sy;
    }
  }
}

QImage vMemoryDC::blankMask(int width, int height) {
  QImage mask(width, height, QImage::Format_Grayscale8);
  mask.fill(0);
  return mask;
}

void vMemoryDC::xorMask(const QImage &mask, int atX, int atY) {
  for (int y = 0; y < mask.height(); ++y) {
    const uchar *m = mask.constScanLine(y);
    std::uint32_t *row = rowPixels(atY + y) + atX;
    for (int x = 0; x < mask.width(); ++x)
      if (m[x] != 0)
        row[x] ^= kInvert;
  }
}

void vMemoryDC::xorLine(int x1, int y1, int x2, int y2) { xorFigure(Figure::Line, x1, y1, x2, y2); }
void vMemoryDC::xorRect(int x1, int y1, int x2, int y2) { xorFigure(Figure::Rect, x1, y1, x2, y2); }
void vMemoryDC::xorEllipse(int x1, int y1, int x2, int y2) {
  xorFigure(Figure::Ellipse, x1, y1, x2, y2);
}

// Only the figure's bounding box is masked and visited, as rubber bands
// follow every motion of the pointer.
void vMemoryDC::xorFigure(Figure kind, int x1, int y1, int x2, int y2) {
  // Not QRect::normalized(), which moves a swapped corner by one pixel.
  const QRect figure(QPoint(std::min(x1, x2), std::min(y1, y2)),
                     QPoint(std::max(x1, x2), std::max(y1, y2)));
  const QRect box = figure.adjusted(-1, -1, 1, 1) & QRect(0, 0, width_, height_);
  if (box.isEmpty())
    return;
  QImage mask = blankMask(box.width(), box.height());
  {
    QPainter p(&mask);
    preparePainter(p);
    p.translate(-box.topLeft());
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    if (kind == Figure::Line)
      p.drawLine(x1, y1, x2, y2);
    else if (kind == Figure::Rect)
      p.drawRect(figure.adjusted(0, 0, -1, -1));
    else
      p.drawEllipse(figure.adjusted(0, 0, -1, -1));
  }
  xorMask(mask, box.left(), box.top());
}

void vMemoryDC::drawPolygon(std::span<const Point> points) {
  if (isNull() || points.empty())
    return;
  QPolygon poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const Point &pt : points)
    poly << QPoint(pt.x, pt.y);
  const bool invert = mode_ == DrawMode::Invert;
  wrap(); // a fresh view, so painting cannot detach into a private copy
  QImage mask;
  if (invert)
    mask = blankMask(width_, height_);
  {
    QPainter p(invert ? &mask : &image_);
    preparePainter(p);
    p.setPen(QPen(invert ? QColor(Qt::white) : toQColor(pen_.colour), pen_.width,
                  toQtPenStyle(pen_.style)));
    if (brush_.style == FillStyle::Hollow)
      p.setBrush(Qt::NoBrush);
    else
      p.setBrush(invert ? QColor(Qt::white) : toQColor(brush_.colour));
    p.drawPolygon(poly, Qt::OddEvenFill);
  }
  if (invert)
    xorMask(mask, 0, 0);
}

vIconPixels::vIconPixels(const vIcon &icon) {
  if (icon.width <= 0 || icon.height <= 0 ||
      icon.pixels.size() <
          static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height))
    return;
  width = icon.width;
  height = icon.height;
  pixels.reserve(icon.pixels.size());
  for (ColourValue c : icon.pixels)
    pixels.push_back(toQtPixel(c));
  transparent = icon.transparent;
  key = toQtPixel(icon.key());
}

void vMemoryDC::drawIcon(const vIconPixels &icon, int x, int y) {
  // The part of the icon on the image; in long long, so far-off positions
  // cannot overflow.
  auto span = [](long long v, int size) {
    return static_cast<int>(std::clamp<long long>(v, 0, size));
  };
  const int x0 = span(-static_cast<long long>(x), icon.width);
  const int y0 = span(-static_cast<long long>(y), icon.height);
  const int x1 = span(static_cast<long long>(width()) - x, icon.width);
  const int y1 = span(static_cast<long long>(height()) - y, icon.height);
  if (x0 >= x1)
    return;
  const int n = x1 - x0;
  for (int iy = y0; iy < y1; ++iy) {
    const std::uint32_t *src = icon.pixels.data() +
                               static_cast<std::size_t>(iy) * static_cast<std::size_t>(icon.width) +
                               x0;
    std::uint32_t *dst = rowPixels(y + iy) + (x + x0);
    if (!icon.transparent) {
      copyShortRow(src, dst, n);
      continue;
    }
    for (int i = 0; i < n; ++i)
      if (src[i] != icon.key)
        dst[i] = src[i];
  }
}

} // namespace hs
