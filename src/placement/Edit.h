#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <vector>

namespace hs {

enum PickKind : int { PickNothing = 0, PickCamera = 1, PickLookAt = 2, PickObject = 3 };

// The item nearest to pane point (paneX, paneY) in city-block pixels, within
// 9 pixels; on equal distances the camera, then the look-at point, then lower
// types and lower indices win. On an object hit pickType and pickIndex are set.
// Returns the kind found; the caller stores it in pickKind.
int findNearest(Scene &scene, int paneX, int paneY);

// Deletes the picked object when pickKind is 3, then redraws. Returns whether
// an object went.
bool deletePicked(Scene &scene);

// Deletes the objects strictly inside the rectangle from firstPoint to
// lastPoint: of every type, or of currentType alone. Does not redraw.
void deleteInRect(Scene &scene, const ProgramValues &values, bool allTypes);

// Moves the picked item to pane point (paneX, paneY) with the height there
// (0 off the map), keeping everything else, then redraws. Nothing is picked:
// nothing happens.
void movePicked(Scene &scene, int paneX, int paneY);

// Moves every object by the vector from the map centre to (mapX, mapZ),
// wrapping once per axis, and samples the new heights. Does not redraw.
void moveAll(Document &document, int mapX, int mapZ);

// Edit at pane point (paneX, paneY): picks the nearest item, shows the height
// dialog of its kind (modal) and then applies the height values to it. An
// object's dialog also edits its turn and size, on "OK" only.
void editAt(Scene &scene, const ProgramValues &values, int paneX, int paneY);

// Copies the program-wide height values into the picked item; an object is
// written back whole from workItem, its turn and size included.
void applyHeights(Scene &scene, const ProgramValues &values);

} // namespace hs
