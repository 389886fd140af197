#include "gui/vCanvasPane.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace hs {

namespace {

int buttonNumber(Qt::MouseButton b) {
  switch (b) {
  case Qt::LeftButton:
    return kLeftButton;
  case Qt::MiddleButton:
    return kMiddleButton;
  case Qt::RightButton:
    return kRightButton;
  default:
    return 0;
  }
}

QColor qtColour(vColor c) { return QColor(c.r(), c.g(), c.b()); }

QPen qtPen(const vPen &p) {
  QPen pen(qtColour(p.colour));
  pen.setWidth(std::max(1, p.width));
  pen.setStyle(p.style == LineStyle::Dash  ? Qt::DashLine
               : p.style == LineStyle::Dot ? Qt::DotLine
                                           : Qt::SolidLine);
  return pen;
}

enum { kXorLine, kXorRect, kXorEllipse };

} // namespace

class vCanvasPane::Surface : public QWidget {
public:
  explicit Surface(vCanvasPane *pane) : QWidget(pane), pane_(pane) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
  }

protected:
  void paintEvent(QPaintEvent *) override {
    // Drawing done by redraw lands in this very paint; asking for another
    // would repaint for ever.
    pane_->painting_ = true;
    pane_->redraw();
    pane_->painting_ = false;
    QPainter p(this);
    p.drawImage(0, 0, pane_->backing_);
  }
  void resizeEvent(QResizeEvent *) override {
    pane_->resizeBacking(width(), height());
    pane_->onResize(width(), height());
  }
  void mousePressEvent(QMouseEvent *e) override {
    const int b = buttonNumber(e->button());
    if (b == 0)
      return;
    pane_->pressed_ |= 1u << b;
    pane_->mouseDown(e->position().toPoint().x(), e->position().toPoint().y(), b);
  }
  void mouseReleaseEvent(QMouseEvent *e) override {
    const int b = buttonNumber(e->button());
    if (b == 0 || (pane_->pressed_ & (1u << b)) == 0)
      return;
    pane_->pressed_ &= ~(1u << b);
    pane_->mouseUp(e->position().toPoint().x(), e->position().toPoint().y(), b);
  }
  void mouseMoveEvent(QMouseEvent *e) override {
    const QPoint p = e->position().toPoint();
    for (int b = kLeftButton; b <= kRightButton; ++b)
      if ((pane_->pressed_ & (1u << b)) != 0) {
        pane_->mouseMove(p.x(), p.y(), b);
        return;
      }
    pane_->mouseMotion(p.x(), p.y());
  }
  void keyPressEvent(QKeyEvent *e) override {
    pane_->keyIn(e->key(), static_cast<unsigned>(e->modifiers().toInt()));
  }

private:
  vCanvasPane *pane_;
};

vCanvasPane::vCanvasPane(QWidget *parent) : QWidget(parent) {
  surface_ = new Surface(this);
  hBar_ = new QScrollBar(Qt::Horizontal, this);
  vBar_ = new QScrollBar(Qt::Vertical, this);
  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(surface_, 0, 0);
  grid->addWidget(vBar_, 0, 1);
  grid->addWidget(hBar_, 1, 0);
  for (QScrollBar *bar : {hBar_, vBar_}) {
    bar->setSingleStep(1);
    bar->hide();
    const bool horizontal = bar == hBar_;
    connect(bar, &QScrollBar::actionTriggered, this,
            [this, bar, horizontal](int action) { scrollAction(bar, horizontal, action); });
  }
  setHScroll(100, 0);
  setVScroll(100, 0);
  resizeBacking(1, 1);
}

vCanvasPane::~vCanvasPane() = default;

QWidget *vCanvasPane::surface() const { return surface_; }

void vCanvasPane::mouseDown(int, int, int) {}
void vCanvasPane::mouseUp(int, int, int) {}
void vCanvasPane::mouseMove(int, int, int) {}
void vCanvasPane::mouseMotion(int, int) {}
void vCanvasPane::keyIn(int, unsigned) {}
void vCanvasPane::onResize(int, int) {}
void vCanvasPane::redraw() {}
void vCanvasPane::hStep(int) {}
void vCanvasPane::vStep(int) {}
void vCanvasPane::hPage(int, int) {}
void vCanvasPane::vPage(int, int) {}

void vCanvasPane::showHScroll(bool shown) { hBar_->setVisible(shown); }
void vCanvasPane::showVScroll(bool shown) { vBar_->setVisible(shown); }

static void setBar(QScrollBar *bar, int thumb, int position) {
  const QSignalBlocker block(bar);
  thumb = std::clamp(thumb, 1, 100);
  bar->setRange(0, 100 - thumb);
  bar->setPageStep(thumb);
  bar->setValue(std::clamp(position, 0, 100 - thumb));
}

void vCanvasPane::setHScroll(int thumbPercent, int positionPercent) {
  hThumb_ = thumbPercent;
  hPos_ = positionPercent;
  setBar(hBar_, thumbPercent, positionPercent);
}

void vCanvasPane::setVScroll(int thumbPercent, int positionPercent) {
  vThumb_ = thumbPercent;
  vPos_ = positionPercent;
  setBar(vBar_, thumbPercent, positionPercent);
}

void vCanvasPane::scrollAction(QScrollBar *bar, bool horizontal, int action) {
  const int thumb = horizontal ? hThumb_ : vThumb_;
  const int pos = horizontal ? hPos_ : vPos_;
  // The program decides where the thumb goes; undo Qt's own move first.
  if (action != QAbstractSlider::SliderMove)
    bar->setSliderPosition(std::clamp(pos, bar->minimum(), bar->maximum()));
  auto step = [&](int n) { horizontal ? hStep(n) : vStep(n); };
  auto page = [&](int size, int p) { horizontal ? hPage(size, p) : vPage(size, p); };
  switch (action) {
  case QAbstractSlider::SliderSingleStepAdd:
    step(1);
    break;
  case QAbstractSlider::SliderSingleStepSub:
    step(-1);
    break;
  case QAbstractSlider::SliderPageStepAdd:
    page(thumb, std::min(100, pos + thumb));
    break;
  case QAbstractSlider::SliderPageStepSub:
    page(0, std::max(0, pos - thumb));
    break;
  case QAbstractSlider::SliderMove:
    page(thumb, bar->sliderPosition());
    break;
  default:
    break;
  }
}

void vCanvasPane::resizeBacking(int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  if (backing_.width() == width && backing_.height() == height)
    return;
  QImage next(width, height, QImage::Format_RGB32);
  next.fill(qtColour(background_));
  if (!backing_.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, backing_);
  }
  backing_ = std::move(next);
}

void vCanvasPane::changed() {
  if (!painting_)
    surface_->update();
}

ColourValue vCanvasPane::pixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= backing_.width() || y >= backing_.height())
    return kNoColour;
  return fromQtPixel(backing_.pixel(x, y));
}

void vCanvasPane::clearPane() {
  backing_.fill(qtColour(background_));
  changed();
}

void vCanvasPane::drawLine(int x1, int y1, int x2, int y2) {
  QPainter p(&backing_);
  p.setPen(qtPen(pen_));
  p.drawLine(x1, y1, x2, y2);
  changed();
}

void vCanvasPane::drawRectangle(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0)
    return;
  QPainter p(&backing_);
  p.setPen(qtPen(pen_));
  if (brush_.style == FillStyle::Solid)
    p.setBrush(qtColour(brush_.colour));
  p.drawRect(x, y, width - 1, height - 1);
  changed();
}

void vCanvasPane::drawPoint(int x, int y) {
  if (x < 0 || y < 0 || x >= backing_.width() || y >= backing_.height())
    return;
  backing_.setPixel(x, y, toQtPixel(pen_.colour.value()));
  changed();
}

void vCanvasPane::drawIcon(const vIcon &icon, int x, int y) {
  if (icon.pixels.size() <
      static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height))
    return;
  const ColourValue key = icon.key();
  for (int iy = 0; iy < icon.height; ++iy)
    for (int ix = 0; ix < icon.width; ++ix) {
      const ColourValue c = icon.at(ix, iy);
      const int px = x + ix;
      const int py = y + iy;
      if ((icon.transparent && c == key) || px < 0 || py < 0 || px >= backing_.width() ||
          py >= backing_.height())
        continue;
      backing_.setPixel(px, py, toQtPixel(c));
    }
  changed();
}

void vCanvasPane::xorLine(int x1, int y1, int x2, int y2) { xorFigure(kXorLine, x1, y1, x2, y2); }
void vCanvasPane::xorRect(int x1, int y1, int x2, int y2) { xorFigure(kXorRect, x1, y1, x2, y2); }
void vCanvasPane::xorEllipse(int x1, int y1, int x2, int y2) {
  xorFigure(kXorEllipse, x1, y1, x2, y2);
}

// The figure is drawn into a mask first, so each pixel is inverted exactly
// once however the outline overlaps itself; the alpha byte stays opaque. Only
// the figure's bounding box is visited, as rubber bands follow every motion.
void vCanvasPane::xorFigure(int kind, int x1, int y1, int x2, int y2) {
  // Not QRect::normalized(), which moves a swapped corner by one pixel.
  const QRect figure(QPoint(std::min(x1, x2), std::min(y1, y2)),
                     QPoint(std::max(x1, x2), std::max(y1, y2)));
  const QRect box = figure.adjusted(-1, -1, 1, 1) & backing_.rect();
  if (box.isEmpty())
    return;
  QImage mask(box.size(), QImage::Format_Grayscale8);
  mask.fill(0);
  {
    QPainter p(&mask);
    p.translate(-box.topLeft());
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    if (kind == kXorLine)
      p.drawLine(x1, y1, x2, y2);
    else if (kind == kXorRect)
      p.drawRect(figure.adjusted(0, 0, -1, -1));
    else
      p.drawEllipse(figure.adjusted(0, 0, -1, -1));
  }
  for (int y = 0; y < mask.height(); ++y) {
    const uchar *m = mask.constScanLine(y);
    auto *row = reinterpret_cast<QRgb *>(backing_.scanLine(box.top() + y)) + box.left();
    for (int x = 0; x < mask.width(); ++x)
      if (m[x] != 0)
        row[x] ^= 0x00FFFFFFu;
  }
  changed();
}

void vCanvasPane::copyImage(const vMemoryDC &image, int srcX, int srcY, int width, int height,
                            int dstX, int dstY) {
  if (image.isNull() || width <= 0 || height <= 0)
    return;
  QPainter p(&backing_);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(dstX, dstY), image.image(), QRect(srcX, srcY, width, height));
  changed();
}

} // namespace hs
