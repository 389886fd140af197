#pragma once

#include "core/Icons.h"
#include "core/LRMemoryDC.h"
#include "core/PaneSurface.h"
#include "core/ScData.h"
#include "core/ZoomPicture.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace hs {

// A rubber-band figure XOR-drawn on the pane while the mouse drags: a line,
// a rectangle, or an ellipse with its bounding rectangle, given by two corners.
enum class RubberFigure { None, Line, Rect, Ellipse, Path };
struct RubberBand {
  RubberFigure figure = RubberFigure::None;
  Point from;
  Point to;
  std::vector<Point> path{}; // Path: the lines through these points, then on to `to`
};

// What MapView::shownMap was made from: the map's version and type, the
// relief setting, the scale and the palette.
struct ShownMapSource {
  std::uint64_t mapVersion = 0;
  int hfType = -1;
  bool relief = false;
  std::array<float, 3> scale = {};
  std::array<ColourValue, 256> palette = {};
  bool operator==(const ShownMapSource &) const = default;
};

// How the document is shown: the picture of the map with everything drawn on
// it, the window of it the pane shows, the drawing tools, the display toggles,
// the object markers, and the pane itself (a surface that draws nothing until
// a real one is attached).
struct MapView {
  MapView();
  MapView(const MapView &) = delete;
  MapView &operator=(const MapView &) = delete;

  LRMemoryDC viewImage;
  int viewHeight = 400;
  int viewWidth = 400;
  int scrollY = 0;
  int vThumbPercent = 100;
  int scrollX = 0;
  int hThumbPercent = 100;
  vBrush brush{kBlack, FillStyle::Solid};
  vPen pen{kBlack, 1, LineStyle::Solid};
  // The map shows at 2^zoom screen pixels a map pixel (core/ZoomPicture.h).
  // Zoomed, scrollX and scrollY count screen pixels of the zoomed map.
  int zoom = 0;
  // What the pane shows while zoomed, and what draws the marks on it in pane
  // coordinates (set by the view layer; at zoom 0 they are on viewImage).
  LRMemoryDC paneImage;
  std::function<void(LRMemoryDC &)> paintMarks;
  int showWater = 0;
  int showView = 0;
  // Shaded relief, for Targa maps [0] and for 16-bit maps [1].
  std::array<int, 2> showRelief = {0, 1};
  // The map as shown under the water and the marks, when it is not baseImage
  // itself, and what it was made from (view/ShownMap.h).
  LRMemoryDC shownMap;
  ShownMapSource shownSource;
  std::array<vIcon, kObjectTypes> markers;
  // The figure now on the pane, so that drawing it again removes exactly what
  // was drawn. Every copy of viewImage to the pane covers it and resets it.
  RubberBand rubberBand;

  PaneSurface &surface() const { return *surface_; }
  // Attaches the pane that shows this view; nullptr detaches it.
  void attachSurface(PaneSurface *surface);

  // Copies the visible part of viewImage (from (scrollX, scrollY), viewWidth x
  // viewHeight) to the pane's top-left corner; zoomed, the same part of the
  // zoomed picture, with the marks.
  void repaint();
  // The overlay: figures that pass over the map while the mouse drags, drawn
  // on the pane only and never into viewImage. showFigure takes away the
  // figure shown before and XOR-draws band (nothing for RubberFigure::None);
  // clearFigure takes away the figure shown.
  void showFigure(const RubberBand &band);
  void clearFigure();
  // Shows the map again with icon over it, its top-left corner at pane point
  // corner (the item a move drags).
  void showIconAt(const vIcon &icon, Point corner);
  // Change the pen or brush colour and hand the result to both the pane and
  // viewImage.
  void setPenColour(vColor colour);
  void setBrushColour(vColor colour);
  // Pane and map coordinates: the one place that converts between them.
  // The map pixel under pane point (x, y), saturated into the int range;
  // zoomed out, the middle one of those the screen pixel shows.
  Point mapPointAt(int x, int y) const;
  // The pointer on the map at pane point (x, y), as finely as the screen
  // shows it: what picks measure from.
  MapPointer pointerAt(int x, int y) const;
  // The zoomed coordinate (before the scroll offset) of map coordinate v:
  // v * 2^zoom plus half a block zoomed in, the screen pixel's zoomed out.
  double zoomedCoordOf(double v) const;
  // The pane point that shows map point (x, y) (truncated toward zero):
  // zoomed in, its block's middle.
  Point panePointOf(double x, double y) const;
  // The first and the last map pixel that zoomed coordinate v (a pane
  // coordinate plus the scroll offset) shows along an axis.
  int firstMapPixelAt(long long v) const;
  int lastMapPixelAt(long long v) const;
  // The screen pixels a map side of size pixels spans at the present zoom.
  int zoomedSize(int size) const;
  // Pulls the scroll offsets back into a map of the given size.
  void clampScroll(int mapWidth, int mapHeight);

private:
  PaneSurface *surface_;
};

} // namespace hs
