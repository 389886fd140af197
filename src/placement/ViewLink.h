#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <vector>

namespace hs {

// The few things the editing operations need of the map view, in one place.

// Rebuilds viewImage and shows it.
void redrawMap(Scene &scene, const ProgramValues &values);
// The polygon that shades what the camera cannot see, for view angle 36.
std::vector<Point> unseenPolygon(const Scene &scene);
// Leaves the pane and viewImage with the grey pen and brush of the shading.
void useUnseenPenAndBrush(Scene &scene);

} // namespace hs
