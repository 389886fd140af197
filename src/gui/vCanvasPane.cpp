#include "gui/vCanvasPane.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

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
    p.drawImage(0, 0, pane_->backing_.image());
  }
  void resizeEvent(QResizeEvent *) override {
    pane_->resizeBacking(width(), height());
    pane_->onResize(width(), height(), std::exchange(pane_->barsToggled_, false));
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
  void keyPressEvent(QKeyEvent *e) override { pane_->keyPress(*e); }
  void keyReleaseEvent(QKeyEvent *e) override { pane_->keyRelease(*e); }
  void focusOutEvent(QFocusEvent *e) override {
    pane_->forgetKeys();
    QWidget::focusOutEvent(e);
  }
  void wheelEvent(QWheelEvent *e) override {
    const QPoint p = e->position().toPoint();
    pane_->wheel(e->angleDelta().x(), e->angleDelta().y(),
                 static_cast<unsigned>(e->modifiers().toInt()), p.x(), p.y());
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

vCanvasPane::~vCanvasPane() {
  // The surface goes first, while the pane it reports to (its losing the
  // keyboard, for one) is still whole.
  delete surface_;
}

QWidget *vCanvasPane::surface() const { return surface_; }

void vCanvasPane::mouseDown(int, int, int) {}
void vCanvasPane::mouseUp(int, int, int) {}
void vCanvasPane::mouseMove(int, int, int) {}
void vCanvasPane::mouseMotion(int, int) {}
void vCanvasPane::keyIn(int, unsigned) {}

void vCanvasPane::keyPress(const QKeyEvent &e) {
  const int key = e.key();
  const auto modifiers = static_cast<unsigned>(e.modifiers().toInt());
  bool repeat = e.isAutoRepeat();
  if (!repeat && e.timestamp() != 0 && key == released_.key && e.timestamp() == released_.time) {
    // X repeats a held key as a release and a press of one time; when the
    // press was not queued yet Qt reports both as the user's own.
    repeat = true;
    if (released_.held)
      heldKey_ = key;
  }
  if (repeat) {
    // A repeat of a press made elsewhere, such as on a notice that closed on it.
    if (key != heldKey_ || !keyRepeats(key))
      return;
  } else {
    heldKey_ = key;
    if (shortcutOfInactiveWindow(key, e.modifiers()))
      return;
  }
  keyIn(key, modifiers);
}

void vCanvasPane::keyRelease(const QKeyEvent &e) {
  if (e.isAutoRepeat())
    return;
  released_ = {e.key(), e.timestamp(), e.key() == heldKey_};
  if (e.key() == heldKey_)
    heldKey_ = 0;
}

bool vCanvasPane::shortcutOfInactiveWindow(int key, Qt::KeyboardModifiers modifiers) {
  // Without a window manager nothing gives a window the keyboard back when a
  // notice over it closes: keys still come, but Qt tries no shortcut of a
  // window that is not active, and Ctrl+Z would reach the map as a plain Z.
  QWidget *top = window();
  if (top->isActiveWindow())
    return false;
  top->activateWindow();
  // "+" is typed with Shift; its shortcut names no Shift.
  for (const Qt::KeyboardModifiers m : {modifiers, modifiers & ~Qt::ShiftModifier}) {
    const QKeySequence pressed(QKeyCombination(m & ~Qt::KeypadModifier, Qt::Key(key)));
    for (QAction *action : top->findChildren<QAction *>())
      if (action->isEnabled() && action->shortcuts().contains(pressed)) {
        action->trigger();
        return true;
      }
  }
  return false;
}
void vCanvasPane::wheel(int, int, unsigned, int, int) {}
void vCanvasPane::onResize(int, int, bool) {}
void vCanvasPane::redraw() {}
void vCanvasPane::hStep(int) {}
void vCanvasPane::vStep(int) {}
void vCanvasPane::hPage(int, int) {}
void vCanvasPane::vPage(int, int) {}

void vCanvasPane::showHScroll(bool shown) {
  barsToggled_ |= hBar_->isVisibleTo(this) != shown;
  hBar_->setVisible(shown);
}
void vCanvasPane::showVScroll(bool shown) {
  barsToggled_ |= vBar_->isVisibleTo(this) != shown;
  vBar_->setVisible(shown);
}

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
  vMemoryDC next(width, height);
  if (next.isNull())
    return;
  next.fill(background_);
  if (!backing_.isNull()) {
    QPainter p(&next.canvas());
    p.drawImage(0, 0, backing_.image());
  }
  backing_ = std::move(next);
}

void vCanvasPane::changed() {
  if (!painting_)
    surface_->update();
}

void vCanvasPane::clearPane() {
  backing_.fill(background_);
  changed();
}

void vCanvasPane::drawLine(int x1, int y1, int x2, int y2) {
  QPainter p(&backing_.canvas());
  p.setPen(qtPen(pen_));
  p.drawLine(x1, y1, x2, y2);
  changed();
}

void vCanvasPane::drawIcon(const vIcon &icon, int x, int y) {
  backing_.drawIcon(icon, x, y);
  changed();
}

void vCanvasPane::xorLine(int x1, int y1, int x2, int y2) {
  backing_.xorLine(x1, y1, x2, y2);
  changed();
}

void vCanvasPane::xorRect(int x1, int y1, int x2, int y2) {
  backing_.xorRect(x1, y1, x2, y2);
  changed();
}

void vCanvasPane::xorEllipse(int x1, int y1, int x2, int y2) {
  backing_.xorEllipse(x1, y1, x2, y2);
  changed();
}

void vCanvasPane::copyImage(const vMemoryDC &image, int srcX, int srcY, int width, int height,
                            int dstX, int dstY) {
  if (image.isNull() || width <= 0 || height <= 0)
    return;
  QPainter p(&backing_.canvas());
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(dstX, dstY), image.image(), QRect(srcX, srcY, width, height));
  changed();
}

} // namespace hs
