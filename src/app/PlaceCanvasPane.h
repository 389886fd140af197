#pragma once

#include "core/PaneSurface.h"
#include "core/ProgramValues.h"
#include "core/Scene.h"
#include "gui/vCanvasPane.h"

namespace hs {

// The map pane: owns the scene (the view of the application's document), shows it as the model asks
// (PaneSurface) and hands every mouse, key, resize and scroll event to the model.
class PlaceCanvasPane : public vCanvasPane, public PaneSurface {
public:
  // owner holds the window's scene values; services is the window; the scene
  // shows document, which must outlive the pane.
  PlaceCanvasPane(WindowValues *owner, WindowServices *services, ProgramValues &values,
                  Document &document);
  ~PlaceCanvasPane() override;

  Scene &scene() { return scene_; }
  const Scene &scene() const { return scene_; }

  // Events from the layer.
  void mouseDown(int x, int y, int button) override;
  void mouseUp(int x, int y, int button) override;
  void mouseMove(int x, int y, int button) override;
  void mouseMotion(int x, int y) override;
  void keyIn(int key, unsigned modifiers) override;
  // Return places once a press: held, it would pile object on object at the
  // pointer, each a step of the history.
  bool keyRepeats(int key) const override { return key != Qt::Key_Return && key != Qt::Key_Enter; }
  // Ctrl zooms about the pointer, Shift scrolls sideways, else the wheel
  // scrolls; then the readout shows what is under the pointer now.
  void wheel(int dx, int dy, unsigned modifiers, int x, int y) override;
  void onResize(int width, int height, bool byScrollBars) override;
  void hStep(int steps) override;
  void vStep(int steps) override;
  void hPage(int sizePercent, int positionPercent) override;
  void vPage(int sizePercent, int positionPercent) override;

  // PaneSurface.
  void showImage(const vMemoryDC &image, int srcX, int srcY, int width, int height) override;
  void setPen(const vPen &pen) override { vCanvasPane::setPen(pen); }
  void setBrush(const vBrush &brush) override { vCanvasPane::setBrush(brush); }
  void drawIcon(const vIcon &icon, int x, int y) override { vCanvasPane::drawIcon(icon, x, y); }
  void drawLine(int x1, int y1, int x2, int y2) override { vCanvasPane::drawLine(x1, y1, x2, y2); }
  void xorLine(int x1, int y1, int x2, int y2) override { vCanvasPane::xorLine(x1, y1, x2, y2); }
  void xorRect(int x1, int y1, int x2, int y2) override { vCanvasPane::xorRect(x1, y1, x2, y2); }
  void xorEllipse(int x1, int y1, int x2, int y2) override {
    vCanvasPane::xorEllipse(x1, y1, x2, y2);
  }
  void setScrollBar(ScrollAxis axis, bool shown, int thumbPercent, int positionPercent) override;
  void setBackground(vColor colour) override { vCanvasPane::setBackground(colour); }

private:
  ProgramValues &values_;
  Scene scene_;
};

} // namespace hs
