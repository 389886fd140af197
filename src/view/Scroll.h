#pragma once

#include "core/PaneSurface.h"
#include "core/Scene.h"

#include <string>

namespace hs {

// The pane shows viewImage from (scrollX, scrollY), viewWidth x viewHeight
// pixels (zoomed, of the zoomed map); these keep that window, the zoom, the
// scroll bars and the pane in step.

// The pane's visible size changed: background, sizes, thumb sizes, back to
// the top-left corner (or, keepingPlace, the offsets kept as far as the new
// size allows), scroll bars, and the new window shown.
void resizePane(Scene &scene, int width, int height, bool keepingPlace = false);

// Shows a bar only where the map is larger than the pane, with its thumb at
// the present offset (an offset the map no longer allows is pulled back).
void updateScrollBars(Scene &scene);

// Moves one offset by delta pixels, kept within 0 .. map size - view size;
// updates that bar's thumb and shows the new window.
void scrollBy(Scene &scene, ScrollAxis axis, int delta);

// An arrow of a bar: 8 pixels a step.
void stepScroll(Scene &scene, ScrollAxis axis, int steps);

// A trough click or a thumb move, in percent of the map: a click beyond the
// thumb pages 50 pixels, a thumb moved to a new place jumps there. sizePercent
// below the bar's thumb size marks a page back. A bar reports a thumb moved to
// p as pageTo(thumb, p); a page forward as pageTo(thumb, position + thumb) and
// a page back as pageTo(thumb - 1, position).
void pageTo(Scene &scene, ScrollAxis axis, int sizePercent, int positionPercent);

// Zooms to level (kept within kMinZoom .. kMaxZoom), the map point under pane
// point (paneX, paneY) staying under it as far as the scroll range allows;
// the bars follow. Leaving or coming back to zoom 0 redraws (the marks move
// between viewImage and the pane); otherwise only the pane is made again.
void zoomTo(Scene &scene, const ProgramValues &values, int level, int paneX, int paneY);
// What the status bar says of a zoom level: " 100 % ", " 6.25 % ", " 1600 % ".
std::string zoomText(int level);

// The largest zoom at which a whole map of this size fits in the pane (the
// smallest zoom when none does).
int fitZoom(int mapWidth, int mapHeight, int paneWidth, int paneHeight);
// Zooms to fitZoom and shows the map from its top-left corner.
void fitMap(Scene &scene, const ProgramValues &values);

// The first size of a main window whose parts around the map pane take
// chromeWidth x chromeHeight, and the zoom it opens at: the largest zoom at
// which the whole map and those parts fit in 90 % of the screen's available
// screenWidth x screenHeight (the smallest zoom when none does), the window
// never smaller than 500 x 300.
struct WindowFit {
  int width = 0;
  int height = 0;
  int zoom = 0;
  bool operator==(const WindowFit &) const = default;
};
WindowFit fitWindowToMap(int mapWidth, int mapHeight, int chromeWidth, int chromeHeight,
                         int screenWidth, int screenHeight);

} // namespace hs
