#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <vector>

namespace hs {

// Rebuilds viewImage from baseImage with the water, the camera's view, the
// camera and look-at icons, the object markers and the order lines, then shows
// it on the pane.
void redraw(Scene &scene, const ProgramValues &values);

// Makes undo() and the other model operations that end with a redraw use
// redraw(scene, values). values must outlive the scene's use of the hook.
void installRedraw(Scene &scene, const ProgramValues &values);

// Starts viewImage again from baseImage and paints every pixel at or below the
// water level (truncated toward zero) in waterColour.
void drawWater(Scene &scene, const ProgramValues &values);

// Where the ray from `from` through `through` leaves the map rectangle
// (0..mapWidth, 0..mapHeight), in map coordinates.
struct PointD {
  double x = 0.0;
  double z = 0.0;
};
PointD borderHitExact(const Scene &scene, PointD from, PointD through);
// The same, truncated toward zero to a pixel position.
Point borderHit(const Scene &scene, PointD from, PointD through);

// The polygon that covers the part of the map the camera cannot see with a
// half-angle parameter of angle degrees: the camera, the two border hits and
// the corners behind the camera, closed by the camera again. Empty when the
// camera and the look-at point coincide (no direction, nothing shaded) or a
// position is not a finite number.
std::vector<Point> viewPolygon(const Scene &scene, double angle);

// Shades the polygon above on viewImage with unseenColour (pen and brush stay
// grey afterwards, on the pane and on viewImage).
void drawView(Scene &scene, double angle);

// Change the scene's pen or brush colour and hand the result to both the pane
// and viewImage.
void setPenColour(Scene &scene, vColor colour);
void setBrushColour(Scene &scene, vColor colour);

// The display toggles. "Water" and "View" invert their flag, "Order" takes
// the toggle's new state; each then redraws.
void toggleWater(Scene &scene, const ProgramValues &values);
void toggleView(Scene &scene, const ProgramValues &values);
void setShowOrder(Scene &scene, ProgramValues &values, bool pressed);

// Copies the visible part of viewImage (from (scrollX, scrollY), viewWidth x
// viewHeight) to the pane's top-left corner.
void repaintPane(Scene &scene);

} // namespace hs
