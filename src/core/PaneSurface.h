#pragma once

#include "core/ProgressInput.h"
#include "core/ScItem.h"
#include "gui/image/vIcon.h"
#include "gui/image/vMemoryDC.h"
#include "gui/image/vPen.h"

#include <functional>

namespace hs {

enum class ScrollAxis { Horizontal, Vertical };

// What the model needs of the widget that shows the map. The real pane keeps a
// backing image of what it shows; tests use a fake that records the calls.
class PaneSurface {
public:
  virtual ~PaneSurface() = default;

  // Show the part of image that starts at (srcX, srcY), width x height pixels,
  // at the pane's top-left corner.
  virtual void showImage(const vMemoryDC &image, int srcX, int srcY, int width, int height) = 0;
  virtual void setPen(const vPen &pen) = 0;
  virtual void setBrush(const vBrush &brush) = 0;
  // Drawing at pane coordinates with the current pen.
  virtual void drawIcon(const vIcon &icon, int x, int y) = 0;
  virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
  // Exclusive-or figures: drawing the same one twice removes it. A line goes
  // from (x1, y1) to (x2, y2); a rectangle, and the ellipse inside it, have
  // the top-left corner (x1, y1) and the bottom-right corner (x2, y2).
  virtual void xorLine(int x1, int y1, int x2, int y2) = 0;
  virtual void xorRect(int x1, int y1, int x2, int y2) = 0;
  virtual void xorEllipse(int x1, int y1, int x2, int y2) = 0;
  // Scroll bars: shown or hidden, thumb size and position in percent.
  virtual void setScrollBar(ScrollAxis axis, bool shown, int thumbPercent, int positionPercent) = 0;
  virtual void setBackground(vColor colour) = 0;
};

// What the model asks of the main window.
class WindowServices {
public:
  virtual ~WindowServices() = default;

  // Presses "One" (n 1) or "Lin", "Box", "Cir" (n 2..4) alone, enables "Fill"
  // except for n 1, then showModeStatus(n).
  virtual void setToolButtons(int n) = 0;
  // The label of mode n - 1 in the status bar; unchanged for other n.
  virtual void showModeStatus(int n) = 0;
  // The label of mode in the status bar; the tool buttons of mode pressed
  // alone (none for a mode without one), then its label.
  void showModeLabel(int mode) { showModeStatus(mode + 1); }
  void showToolsOf(int mode) { setToolButtons(mode + 1); }
  virtual void setStatusText(const char *text) = 0;
  // which 0: releases " At " and shows the camera height dialog; which 1:
  // releases "Look" and shows the look-at height dialog. Modal: returns when
  // the dialog has closed (at once if it was already on screen). The caller
  // applies the heights and restores the mode.
  virtual void endCameraPick(int which) = 0;
  // Closes the water dialog, sets waterLevel and restores the mode
  // (finishWaterPick in placement/Mouse.h does both), then
  // setToolButtons(mode + 1).
  virtual void endWaterPick(int level) = 0;
  // The coordinate readout label.
  virtual void setReadout(const char *text) = 0;
  // The zoom the map is shown at, as a percentage ("50 %").
  virtual void showZoom(const char * /*text*/) {}
  // Moves the system pointer by (dx, dy) pixels; the move comes back as a
  // mouse motion (or the window keeps a logical cursor and reports it).
  virtual void nudgePointer(int dx, int dy) = 0;
  virtual void notice(const char *title, const char *message) = 0;
  // Shows the "Height of object" dialog modally unless it is already on
  // screen, and returns when it has closed.
  virtual void showObjectHeightDialog() {}
  // Runs work, which may take a while and only reads the scene: once it has
  // run longer than a moment the window shows its progress with a Cancel
  // button. Returns false when the user cancelled (the work has then
  // stopped). Without a window it simply runs.
  virtual bool runWithProgress(const char * /*title*/,
                               const std::function<void(const ProgressReport &)> &work) {
    work([](double) { return true; });
    return true;
  }
  // Like showObjectHeightDialog, for editing the picked object, which is
  // number index (0-based) in the list of type (0-based): the dialog names it,
  // also shows picked's own turn and size, and "OK" writes the ones typed into
  // picked; closed any other way it leaves picked as it was. The heights go to
  // the program-wide values as always, for the caller to apply.
  virtual void showObjectEditDialog(ScItem & /*picked*/, int /*type*/, int /*index*/) {}
  // Runs change as one step of the undo history, named label. Without a
  // window it simply runs.
  virtual void asStep(const char * /*label*/, const std::function<void()> &change) { change(); }
};

// A surface that draws nothing: what a scene shows on until a pane attaches,
// and a base for stand-ins that watch only some of the calls.
class QuietSurface : public PaneSurface {
public:
  void showImage(const vMemoryDC &, int, int, int, int) override {}
  void setPen(const vPen &) override {}
  void setBrush(const vBrush &) override {}
  void drawIcon(const vIcon &, int, int) override {}
  void drawLine(int, int, int, int) override {}
  void xorLine(int, int, int, int) override {}
  void xorRect(int, int, int, int) override {}
  void xorEllipse(int, int, int, int) override {}
  void setScrollBar(ScrollAxis, bool, int, int) override {}
  void setBackground(vColor) override {}
};

// Stand-ins for when nothing is attached: a surface that draws nothing and
// services that do nothing.
PaneSurface &noSurface();
WindowServices &noServices();

} // namespace hs
