#pragma once

#include "core/Document.h"
#include "core/ProgramValues.h"

#include <string>

namespace hs {

// Appends one object of currentType at map point map with the given height.
// Returns false when the list could not grow.
bool placeSingle(Document &document, const ProgramValues &values, Point map, int height);

// What a fill did: the objects it placed, whether it stopped early because a
// list could not grow, and whether that was for want of memory.
struct FillResult {
  long long placed = 0;
  bool stopped = false;
  bool outOfMemory = false;
};

// The fill tools place fillCount objects (fillCount squared for the box) from
// map point from to map point to (the circle: around centre, through edge),
// evenly or at random. They stop
// when a list cannot grow: at the object limit the objects already placed
// stay; when memory runs out the fill takes them back and places nothing.
FillResult fillLine(Document &document, ProgramValues &values, Point from, Point to);
FillResult fillBox(Document &document, ProgramValues &values, Point from, Point to);
FillResult fillCircle(Document &document, ProgramValues &values, Point centre, Point edge);

// The notice for a fill that stopped because the scene holds all the objects
// it can: how many the fill placed.
std::string fillLimitMessage(long long placed);
// The notice for a fill refused for want of memory.
inline constexpr const char *kFillMemoryMessage =
    "Not enough memory for this fill.\nNothing was placed.";

} // namespace hs
