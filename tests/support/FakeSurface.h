#pragma once

#include "core/PaneSurface.h"
#include "gui/image/vMemoryDC.h"

#include <set>
#include <string>
#include <vector>

namespace hs::test {

// A pane that keeps what was last shown and records each call ("show 0 0 400 400").
class FakeSurface : public PaneSurface {
public:
  vMemoryDC shown; // the last image passed to showImage, and the window shown
  int srcX = 0, srcY = 0;
  int shownWidth = 0, shownHeight = 0;
  int showCount = 0;
  std::vector<std::string> calls;

  void showImage(const vMemoryDC &image, int x, int y, int width, int height) override {
    shown = image;
    srcX = x;
    srcY = y;
    shownWidth = width;
    shownHeight = height;
    ++showCount;
    record("show", x, y, width, height);
  }
  void setPen(const vPen &p) override {
    record("pen", p.colour.r(), p.colour.g(), p.colour.b(), p.width);
  }
  void setBrush(const vBrush &b) override {
    record("brush", b.colour.r(), b.colour.g(), b.colour.b(), static_cast<int>(b.style));
  }
  void drawIcon(const vIcon &icon, int x, int y) override {
    record("icon", x, y, icon.width, icon.height);
  }
  void drawLine(int x1, int y1, int x2, int y2) override { record("line", x1, y1, x2, y2); }
  void xorLine(int x1, int y1, int x2, int y2) override { record("xorLine", x1, y1, x2, y2); }
  void xorRect(int x1, int y1, int x2, int y2) override { record("xorRect", x1, y1, x2, y2); }
  void xorEllipse(int x1, int y1, int x2, int y2) override { record("xorEllipse", x1, y1, x2, y2); }
  void setScrollBar(ScrollAxis axis, bool isShown, int thumbPercent, int positionPercent) override {
    record(axis == ScrollAxis::Horizontal ? "hbar" : "vbar", isShown ? 1 : 0, thumbPercent,
           positionPercent, 0);
  }
  void setBackground(vColor colour) override {
    record("background", colour.r(), colour.g(), colour.b(), 0);
  }

  // Pixel (x, y) of the pane as last shown, or kNoColour outside the window.
  ColourValue paneAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= shownWidth || y >= shownHeight)
      return kNoColour;
    return shown.readPixel(srcX + x, srcY + y);
  }

  // The XOR figures drawn an odd number of times since the last showImage.
  std::set<std::string> xorFigures() const {
    std::set<std::string> on;
    for (const std::string &c : calls) {
      if (c.rfind("show ", 0) == 0)
        on.clear();
      else if (c.rfind("xor", 0) == 0 && !on.erase(c))
        on.insert(c);
    }
    return on;
  }

private:
  void record(const char *what, int a, int b, int c, int d) {
    calls.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b) + " " +
                    std::to_string(c) + " " + std::to_string(d));
  }
};

} // namespace hs::test
