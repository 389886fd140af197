#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <vector>

namespace hs {

enum PickKind : int { PickNothing = 0, PickCamera = 1, PickLookAt = 2, PickObject = 3 };

// The item nearest to the pointer in city-block screen pixels at the
// pointer's zoom, within 9 pixels; on equal distances the camera, then the
// look-at point, then lower types and lower indices win. On an object hit
// pick's pickType and pickIndex are set. Returns the kind found; the caller
// stores it in pickKind.
int findNearest(const Document &document, Gesture &pick, MapPointer at);

// Deletes the picked object when pickKind is 3. Returns whether an object went.
bool deletePicked(Document &document, const Gesture &pick);

// Deletes the objects strictly inside the rectangle with the map corners a
// and b: of every type, or of currentType alone.
void deleteInRect(Document &document, const ProgramValues &values, Point a, Point b, bool allTypes);

// Moves the picked item to map point to with the height there (0 off the
// map), keeping everything else. Nothing is picked: nothing happens.
void movePicked(Document &document, const Gesture &pick, Point to);

// Moves every object by the vector from the map centre to (mapX, mapZ),
// wrapping once per axis, and samples the new heights.
void moveAll(Document &document, int mapX, int mapZ);

// Edit at the pointer: picks the nearest item, shows the height dialog of its
// kind (modal) and then applies the height values to it. An object's dialog
// also edits its turn and size, on "OK" only.
void editAt(Scene &scene, const ProgramValues &values, MapPointer at);

// Copies the program-wide height values into the picked item; an object is
// written back whole from workItem, its turn and size included.
void applyHeights(Document &document, Gesture &pick, const ProgramValues &values);

} // namespace hs
