#include "placement/Readout.h"

#include "core/Numbers.h"
#include "placement/Fill.h"
#include "terrain/Height.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace hs {

namespace {

[[gnu::format(printf, 1, 2)]] std::string format(const char *fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list again;
  va_copy(again, args);
  // va_start above sets args; the analyzer does not follow it through here.
  // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
  const int n = std::vsnprintf(nullptr, 0, fmt, args);
  va_end(args);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), fmt, again);
    out.resize(static_cast<std::size_t>(n));
  }
  va_end(again);
  return out;
}

// Distance from the centre in units of the map's span, 0 on a map one pixel
// across, where there is no span to divide by.
double spanFraction(double offset, int size) {
  const int span = size - 1;
  return span == 0 ? 0.0 : offset / static_cast<double>(span);
}

} // namespace

std::string readoutText(const Document &document, const ProgramValues &values, int mapX, int sample,
                        int mapZ) {
  const double fromCentreX = static_cast<double>(mapX) - document.mapCentreX();
  const double fromCentreZ = static_cast<double>(document.mapCentreY()) - mapZ;
  // The sample is in the map's own colour units, as the Water dialog takes
  // them; the other units are fractions of the full height.
  const int highest = maxHeight(document);
  switch (values.unitsMode) {
  case 1:
    return format(" x,y,z : .%i, .%i, .%i ",
                  truncToInt(spanFraction(fromCentreX * 1000.0, document.mapWidth())),
                  static_cast<int>(static_cast<long long>(sample) * 1000 / highest),
                  truncToInt(spanFraction(fromCentreZ * 1000.0, document.mapHeight())));
  case 2:
    return format(" X,Y,Z : %3.3f,%3.3f,%3.3f ",
                  static_cast<double>(static_cast<float>(
                      spanFraction(fromCentreX * document.scaleX(), document.mapWidth()))),
                  static_cast<double>(static_cast<float>(
                      sample * static_cast<double>(document.scaleY()) / highest)),
                  static_cast<double>(static_cast<float>(
                      spanFraction(fromCentreZ * document.scaleZ(), document.mapHeight()))));
  default:
    return format(" X,C,Y : %i,%i,%i ", mapX, sample, mapZ);
  }
}

void showReadout(Scene &scene, const ProgramValues &values, int mapX, int sample, int mapZ) {
  scene.owner().cursorX = mapX;
  scene.owner().cursorY = mapZ;
  // Off the map (or on a pixel without a height) the label keeps its text.
  if (sample < 0)
    return;
  scene.services().setReadout(readoutText(scene.document(), values, mapX, sample, mapZ).c_str());
}

void keyIn(Scene &scene, ProgramValues &values, Key key, bool /*shift*/) {
  const int cx = scene.owner().cursorX;
  const int cy = scene.owner().cursorY;
  auto nudge = [&scene](int dx, int dy) { scene.services().nudgePointer(dx, dy); };
  // The pointer stays inside the visible part of the map.
  const int firstX = scene.firstMapPixelAt(scene.scrollX);
  const int firstY = scene.firstMapPixelAt(scene.scrollY);
  const long long lastX = std::min<long long>(
      scene.lastMapPixelAt(static_cast<long long>(scene.scrollX) + scene.viewWidth - 1),
      scene.document().mapWidth() - 1);
  const long long lastY = std::min<long long>(
      scene.lastMapPixelAt(static_cast<long long>(scene.scrollY) + scene.viewHeight - 1),
      scene.document().mapHeight() - 1);
  // One map pixel a key: zoomed in the pointer moves a block; zoomed out a
  // screen pixel shows several map pixels, so the cursor moves on its own.
  const int block = scene.zoom > 0 ? 1 << scene.zoom : 1;
  const auto step = [&](int dx, int dy) {
    if (scene.zoom >= 0) {
      nudge(dx * block, dy * block);
      return;
    }
    const int x = cx + dx;
    const int z = cy + dy;
    showReadout(scene, values, x, heightAt(scene.document(), x, z), z);
  };
  switch (key) {
  case Key::Left:
    if (firstX < cx)
      step(-1, 0);
    break;
  case Key::Right:
    if (cx < lastX)
      step(1, 0);
    break;
  case Key::Up:
    if (firstY < cy)
      step(0, -1);
    break;
  case Key::Down:
    if (cy < lastY)
      step(0, 1);
    break;
  case Key::Return:
    // Placed whatever the height: off the map the object gets -1.
    {
      const HistoryStep step(scene.document(), "Place Object");
      placeSingle(scene.document(), values, {cx, cy}, heightAt(scene.document(), cx, cy));
      break;
    }
  case Key::Escape:
    // The area being drawn is dropped.
    scene.areaDraft.clear();
    scene.areaDraftPane.clear();
    scene.clearFigure();
    break;
  case Key::Other:
    break;
  }
}

} // namespace hs
