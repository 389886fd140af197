#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <string>

namespace hs {

// Appends one object of currentType at map point map with the given height
// and draws its marker (and, with "Order" on, the line to the object placed
// before it) at once on the pane and, at zoom 0, on viewImage. Returns false
// when the list could not grow.
bool placeSingle(Scene &scene, const ProgramValues &values, Point map, int height);

// What a fill did: the objects it placed, whether it stopped early because a
// list could not grow, and whether that was for want of memory.
struct FillResult {
  long long placed = 0;
  bool stopped = false;
  bool outOfMemory = false;
};

// The fill tools place fillCount objects (fillCount squared for the box) from
// firstPoint to lastPoint, evenly or at random, and do not redraw. They stop
// when a list cannot grow: at the object limit the objects already placed
// stay; when memory runs out the fill takes them back and places nothing.
FillResult fillLine(Scene &scene, ProgramValues &values);
FillResult fillBox(Scene &scene, ProgramValues &values);
FillResult fillCircle(Scene &scene, ProgramValues &values);

// The notice for a fill that stopped because the scene holds all the objects
// it can: how many the fill placed.
std::string fillLimitMessage(long long placed);
// The notice for a fill refused for want of memory.
inline constexpr const char *kFillMemoryMessage =
    "Not enough memory for this fill.\nNothing was placed.";

} // namespace hs
