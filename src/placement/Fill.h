#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

namespace hs {

// Appends one object of currentType at pane point (paneX, paneY) with the given
// height and draws its marker (and, with "Order" on, the line to the object
// placed before it) at once on the pane and on viewImage. Returns false when
// the list could not grow.
bool placeSingle(Scene &scene, const ProgramValues &values, int paneX, int height, int paneY);

// The fill tools place fillCount objects (fillCount squared for the box) from
// firstPoint to lastPoint, evenly or at random, and do not redraw. They stop
// silently when a list cannot grow; objects already placed stay.
void fillLine(Scene &scene, ProgramValues &values);
void fillBox(Scene &scene, ProgramValues &values);
void fillCircle(Scene &scene, ProgramValues &values);

} // namespace hs
