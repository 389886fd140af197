#pragma once

#include "core/CameraView.h"
#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <vector>

namespace hs {

// Rebuilds viewImage from the shown map (view/ShownMap.h) with the water, the camera's view, the
// camera and look-at icons, the object markers and the order lines, then shows
// it on the pane.
void redraw(Scene &scene, const ProgramValues &values);

// Makes every change the scene reports (Scene::changed) end with
// redraw(scene, values), and has the zoomed pane draw the marks (the camera
// and look-at icons, markers and order lines at their own size). values must
// outlive the scene's use of it.
void installRedraw(Scene &scene, const ProgramValues &values);

// Starts viewImage again from the shown map and paints every pixel at or below the
// water level (truncated toward zero) in waterColour.
void drawWater(Scene &scene);

// Shades viewPolygon(scene, angle) on viewImage with unseenColour (pen and brush stay
// grey afterwards, on the pane and on viewImage).
void drawView(Scene &scene, double angle);

// The display toggles. "Water" and "View" invert their flag, "Order" takes
// the toggle's new state, relief inverts the setting for the kind of map
// loaded; each then redraws.
void toggleWater(Scene &scene, const ProgramValues &values);
void toggleRelief(Scene &scene, const ProgramValues &values);
void toggleView(Scene &scene, const ProgramValues &values);
void setShowOrder(Scene &scene, ProgramValues &values, bool pressed);

} // namespace hs
