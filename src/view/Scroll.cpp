#include "view/Scroll.h"

#include "core/Numbers.h"
#include "core/ZoomPicture.h"
#include "view/Redraw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hs {

namespace {

inline constexpr int kArrowStep = 8;
inline constexpr int kPageStep = 50;

// One axis of the window onto the map; sizes and offsets count screen pixels
// of the zoomed map.
struct Axis {
  int &offset;
  int &thumbPercent;
  int mapSize;
  int viewSize;
};

Axis axisOf(Scene &scene, ScrollAxis axis) {
  if (axis == ScrollAxis::Horizontal)
    return {scene.scrollX, scene.hThumbPercent, scene.zoomedSize(scene.document().mapWidth()),
            scene.viewWidth};
  return {scene.scrollY, scene.vThumbPercent, scene.zoomedSize(scene.document().mapHeight()),
          scene.viewHeight};
}

// part in whole percent of whole (integer division); 0 for an empty map.
int percentOf(long long part, int whole) { return whole <= 0 ? 0 : clampToInt(part * 100 / whole); }

int maxOffset(const Axis &a) { return std::max(a.mapSize - a.viewSize, 0); }

void showBar(Scene &scene, ScrollAxis axis, const Axis &a) {
  scene.surface().setScrollBar(axis, a.mapSize > a.viewSize, a.thumbPercent,
                               percentOf(a.offset, a.mapSize));
}

// The thumbs' sizes: the pane's share of the zoomed map.
void setThumbs(Scene &scene) {
  scene.hThumbPercent = percentOf(scene.viewWidth, scene.zoomedSize(scene.document().mapWidth()));
  scene.vThumbPercent = percentOf(scene.viewHeight, scene.zoomedSize(scene.document().mapHeight()));
}

} // namespace

void resizePane(Scene &scene, int width, int height, bool keepingPlace) {
  scene.surface().setBackground(paneBackground);
  scene.viewWidth = std::max(width, 0);
  scene.viewHeight = std::max(height, 0);
  if (!keepingPlace) {
    scene.scrollX = 0;
    scene.scrollY = 0;
  }
  setThumbs(scene);
  updateScrollBars(scene);
  // After the new size and offsets, so the pane shows the window they select.
  scene.repaint();
}

void updateScrollBars(Scene &scene) {
  for (ScrollAxis axis : {ScrollAxis::Horizontal, ScrollAxis::Vertical}) {
    Axis a = axisOf(scene, axis);
    // A smaller map loaded while scrolled could leave the pane past its end
    // with no bar to come back.
    a.offset = std::clamp(a.offset, 0, maxOffset(a));
    showBar(scene, axis, a);
  }
}

void scrollBy(Scene &scene, ScrollAxis axis, int delta) {
  Axis a = axisOf(scene, axis);
  const long long wanted = static_cast<long long>(a.offset) + delta;
  a.offset = clampToInt(std::clamp<long long>(wanted, 0, maxOffset(a)));
  showBar(scene, axis, a);
  scene.repaint();
}

void stepScroll(Scene &scene, ScrollAxis axis, int steps) {
  scene.repaint();
  scrollBy(scene, axis, clampToInt(static_cast<long long>(steps) * kArrowStep));
}

void pageTo(Scene &scene, ScrollAxis axis, int sizePercent, int positionPercent) {
  Axis a = axisOf(scene, axis);
  const long long target = static_cast<long long>(positionPercent) * a.mapSize / 100;
  int step = 0;
  if (target > a.offset) {
    // Inside the thumb's span: the thumb was dragged there; beyond it: a
    // trough click.
    if (positionPercent < static_cast<long long>(percentOf(a.offset, a.mapSize)) + a.thumbPercent)
      a.offset = clampToInt(target);
    else
      step = kPageStep;
  } else if (sizePercent < a.thumbPercent) {
    step = -kPageStep;
  } else {
    a.offset = clampToInt(target);
  }
  scrollBy(scene, axis, step);
}

void zoomTo(Scene &scene, const ProgramValues &values, int level, int paneX, int paneY) {
  level = std::clamp(level, kMinZoom, kMaxZoom);
  if (level == scene.zoom)
    return;
  // The map point under (paneX, paneY), exactly, stays there.
  const double x = (static_cast<double>(paneX) + scene.scrollX) / std::ldexp(1.0, scene.zoom);
  const double y = (static_cast<double>(paneY) + scene.scrollY) / std::ldexp(1.0, scene.zoom);
  const bool marksMove = (scene.zoom == 0) != (level == 0);
  scene.zoom = level;
  scene.scrollX = clampToInt(static_cast<long long>(std::floor(std::ldexp(x, level))) - paneX);
  scene.scrollY = clampToInt(static_cast<long long>(std::floor(std::ldexp(y, level))) - paneY);
  scene.clampScroll(scene.document().mapWidth(), scene.document().mapHeight());
  setThumbs(scene);
  updateScrollBars(scene);
  scene.services().showZoom(zoomText(level).c_str());
  // The marks are on viewImage only at zoom 0.
  if (marksMove)
    redraw(scene, values);
  else
    scene.repaint();
}

std::string zoomText(int level) {
  char text[32];
  std::snprintf(text, sizeof text, " %g %% ", std::ldexp(100.0, level));
  return text;
}

int fitZoom(int mapWidth, int mapHeight, int paneWidth, int paneHeight) {
  int level = kMaxZoom;
  while (level > kMinZoom &&
         (zoomedSize(mapWidth, level) > paneWidth || zoomedSize(mapHeight, level) > paneHeight))
    --level;
  return level;
}

void fitMap(Scene &scene, const ProgramValues &values) {
  zoomTo(scene, values,
         fitZoom(scene.document().mapWidth(), scene.document().mapHeight(), scene.viewWidth,
                 scene.viewHeight),
         0, 0);
}

WindowFit fitWindowToMap(int mapWidth, int mapHeight, int chromeWidth, int chromeHeight,
                         int screenWidth, int screenHeight) {
  const int roomX = static_cast<int>(static_cast<long long>(screenWidth) * 9 / 10) - chromeWidth;
  const int roomY = static_cast<int>(static_cast<long long>(screenHeight) * 9 / 10) - chromeHeight;
  const int level = fitZoom(mapWidth, mapHeight, roomX, roomY);
  return {std::max(500, std::min(zoomedSize(mapWidth, level), std::max(roomX, 0)) + chromeWidth),
          std::max(300, std::min(zoomedSize(mapHeight, level), std::max(roomY, 0)) + chromeHeight),
          level};
}

} // namespace hs
