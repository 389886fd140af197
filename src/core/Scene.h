#pragma once

#include "core/Icons.h"
#include "core/LRMemoryDC.h"
#include "core/PaneSurface.h"
#include "core/ProgramValues.h"
#include "core/ScData.h"
#include "core/ScItem.h"

#include <array>
#include <functional>

namespace hs {

inline constexpr ScItem kDefaultCamera{200.0, 0.0, 300.0, AboveWater, 1.0};
inline constexpr ScItem kDefaultLookAt{200.0, 0.0, 100.0, AboveGround, 0.0};

// A rubber-band figure XOR-drawn on the pane while the mouse drags: a line,
// a rectangle, or an ellipse with its bounding rectangle, given by two corners.
enum class RubberFigure { None, Line, Rect, Ellipse };
struct RubberBand {
  RubberFigure figure = RubberFigure::None;
  Point from;
  Point to;
};

// Everything the map pane holds: the two images, the map geometry, the camera,
// the look-at point and the sixteen object lists with their kept copies.
// Operations elsewhere take a Scene plus the program-wide values.
class Scene {
public:
  explicit Scene(WindowValues *owner = nullptr);
  Scene(const Scene &) = delete;
  Scene &operator=(const Scene &) = delete;

  LRMemoryDC viewImage;
  LRMemoryDC baseImage;
  int mapWidth = 400;
  int mapHeight = 400;
  int prevMapWidth = 400;
  int prevMapHeight = 400;
  float mapCentreX = 199.0f;
  float mapCentreY = 199.0f;
  int viewHeight = 400;
  int viewWidth = 400;
  int scrollY = 0;
  int vThumbPercent = 100;
  int scrollX = 0;
  int hThumbPercent = 100;
  int clickCount = 0;
  ScItem camera = kDefaultCamera;
  ScItem lookAt = kDefaultLookAt;
  ScItem keptCamera = kDefaultCamera;
  ScItem keptLookAt = kDefaultLookAt;
  vBrush brush{kBlack, FillStyle::Solid};
  vPen pen{kBlack, 1, LineStyle::Solid};
  int hfType = 0; // 0 Targa, 1 PPM
  int showWater = 0;
  int showView = 0;
  ItemBudget budget;
  std::array<ScData, kObjectTypes> objects;
  std::array<ScData, kObjectTypes> keptObjects;
  double pickType = 0;
  double pickIndex = 0;
  double pickKind = 0; // 0 nothing, 1 camera, 2 look-at point, 3 object
  ScItem workItem;
  std::array<vIcon, kObjectTypes> markers;
  Point firstPoint;
  Point lastPoint;
  // The figure now on the pane, so that drawing it again removes exactly what
  // was drawn. Every copy of viewImage to the pane covers it and resets it.
  RubberBand rubberBand;

  WindowValues *owner = nullptr;
  PaneSurface *surface = nullptr;
  WindowServices *services = nullptr;

  // Called at the end of undo() to show the restored state; the view layer
  // installs its redraw here.
  std::function<void(Scene &)> redrawHook;

  // Sets mapWidth, mapHeight and the centre by integer halving, and pulls the
  // scroll offsets back into the new map.
  void setMapSize(int width, int height);
  // Total objects over all sixteen lists.
  long long objectCount() const;
};

// Copies the camera, the look-at point and every list into the kept copies.
// All or nothing: when memory runs out the kept copies stay as they were and
// false is returned.
bool keep(Scene &scene);
// Restores the kept copies (which stay as they are), then redraws. All or
// nothing as keep: false, with the scene as it was, when memory runs out.
bool undo(Scene &scene);
// Empties every object list; kept copies, camera and look-at point stay.
void killAll(Scene &scene);

} // namespace hs
