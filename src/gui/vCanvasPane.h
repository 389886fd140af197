#pragma once

#include "gui/image/MouseButtons.h"
#include "gui/image/vColor.h"
#include "gui/image/vIcon.h"
#include "gui/image/vMemoryDC.h"
#include "gui/image/vPen.h"

#include <QWidget>

#include <cstdint>

class QKeyEvent;
class QScrollBar;

namespace hs {

// The drawing pane with its two scroll bars. Qt paints only inside paint
// events, so everything drawn goes into a backing image of the pane's size (a
// vMemoryDC, whose icon and exclusive-or drawing the pane uses), which each
// paint event shows. Override the event hooks; coordinates are
// pixels of the drawing area.
class vCanvasPane : public QWidget {
public:
  explicit vCanvasPane(QWidget *parent = nullptr);
  ~vCanvasPane() override;

  // Events. A press, its drag (mouseMove) and its release come with the
  // button; a release comes only for a press this pane received. A move with
  // no button held is mouseMotion.
  virtual void mouseDown(int x, int y, int button);
  virtual void mouseUp(int x, int y, int button);
  virtual void mouseMove(int x, int y, int button);
  virtual void mouseMotion(int x, int y);
  // key is a Qt::Key value, modifiers Qt::KeyboardModifiers bits. Only keys
  // pressed while the pane (or its window) had the keyboard come here: the
  // platform's repeats of a key held down come only for a press seen here and
  // only for keys that repeat (keyRepeats), so a key that closed a notice or
  // dialog and is still held never reaches the pane.
  virtual void keyIn(int key, unsigned modifiers);
  virtual bool keyRepeats(int /*key*/) const { return true; }
  // A key event of the pane's window that no control took. A key pressed
  // while the window is not the active one is first offered to the window's
  // shortcuts, and the window takes the keyboard.
  void keyPress(const QKeyEvent &e);
  void keyRelease(const QKeyEvent &e);
  // The keyboard went elsewhere: no key counts as held here any more.
  void forgetKeys() { heldKey_ = 0; }
  // The wheel turned by (dx, dy) eighths of a degree (120 a notch; dy > 0
  // away from the user) with the pointer at (x, y).
  virtual void wheel(int dx, int dy, unsigned modifiers, int x, int y);
  // The drawing area now has this size; the backing image has been resized.
  // byScrollBars: only because a scroll bar was shown or hidden.
  virtual void onResize(int width, int height, bool byScrollBars);
  // Asked before the backing image is shown; draw into it here if you like.
  virtual void redraw();
  // Scroll-bar events. A step is an arrow click (steps -1 or +1). A page event
  // carries a thumb size and a position in percent: a thumb moved by the user
  // gives (thumb size, new position); a click in the trough after the thumb
  // gives (thumb size, position + thumb size); before the thumb it gives
  // (0, position - thumb size).
  virtual void hStep(int steps);
  virtual void vStep(int steps);
  virtual void hPage(int sizePercent, int positionPercent);
  virtual void vPage(int sizePercent, int positionPercent);

  // Scroll bars, set from the program (no event follows).
  void showHScroll(bool shown);
  void showVScroll(bool shown);
  void setHScroll(int thumbPercent, int positionPercent);
  void setVScroll(int thumbPercent, int positionPercent);
  QScrollBar *hScrollBar() const { return hBar_; }
  QScrollBar *vScrollBar() const { return vBar_; }

  // Drawing, clipped to the pane.
  void setPen(const vPen &pen) { pen_ = pen; }
  void setBrush(const vBrush &brush) { brush_ = brush; }
  const vPen &pen() const { return pen_; }
  const vBrush &brush() const { return brush_; }
  void drawLine(int x1, int y1, int x2, int y2);
  void drawIcon(const vIcon &icon, int x, int y);
  // Exclusive-or figures between two corner points: every pixel they cover is
  // inverted, so drawing the same figure again restores the pane.
  void xorLine(int x1, int y1, int x2, int y2);
  void xorRect(int x1, int y1, int x2, int y2);
  void xorEllipse(int x1, int y1, int x2, int y2);
  // Copies width x height pixels of image from (srcX, srcY) to (dstX, dstY).
  void copyImage(const vMemoryDC &image, int srcX, int srcY, int width, int height, int dstX = 0,
                 int dstY = 0);
  // The colour of the pane where nothing has been drawn (beyond the map).
  void setBackground(vColor colour) { background_ = colour; }
  vColor background() const { return background_; }
  // Fills the whole pane with the background colour.
  void clearPane();

  // What the pane shows (Format_RGB32), and its size.
  const QImage &backing() const { return backing_.image(); }
  ColourValue pixelAt(int x, int y) const { return backing_.readPixel(x, y); }
  int paneWidth() const { return backing_.width(); }
  int paneHeight() const { return backing_.height(); }
  QWidget *surface() const;

private:
  class Surface;
  friend class Surface;

  void resizeBacking(int width, int height);
  void scrollAction(QScrollBar *bar, bool horizontal, int action);
  void changed();
  bool shortcutOfInactiveWindow(int key, Qt::KeyboardModifiers modifiers);

  Surface *surface_ = nullptr;
  QScrollBar *hBar_ = nullptr;
  QScrollBar *vBar_ = nullptr;
  int hThumb_ = 100;
  int hPos_ = 0;
  int vThumb_ = 100;
  int vPos_ = 0;
  bool painting_ = false;
  unsigned pressed_ = 0;     // bit n set while button n is held after a press here
  int heldKey_ = 0;          // the key last pressed here, while it is held
  bool barsToggled_ = false; // a bar was shown or hidden since the last resize
  struct {
    int key = 0;
    std::uint64_t time = 0;
    bool held = false; // it was heldKey_
  } released_;         // the last key released here
  vMemoryDC backing_;
  vPen pen_;
  vBrush brush_;
  vColor background_ = kWhite;
};

} // namespace hs
