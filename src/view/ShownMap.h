#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"
#include "terrain/Palette.h"

namespace hs {

// Whether shaded relief is on for the map now loaded (a setting for Targa
// maps and one for 16-bit maps, on by default for the latter).
bool reliefShown(const Scene &scene);

// The picture of the map that the water, the camera's view and the marks are
// drawn over. A Targa map without relief is baseImage itself; otherwise it is
// built once into scene.shownMap and kept while the map, its type, the scale,
// pal and the relief setting stay as they were. Falls back to baseImage when
// there is no memory for it.
const LRMemoryDC &shownMap(Scene &scene, const Palette &pal);

// Builds it into out (made the size of baseImage): a 16-bit map coloured by
// pal's entry for each height's high byte, a Targa map in its own colours;
// with relief, each colour times the light on the slope there, from the
// north-west and 45 degrees up. Slopes come from the heights at the current
// scale (scaleY over the map's largest height, scaleX / (width - 1) and
// scaleZ / (height - 1) between pixels); flat ground keeps its colour, slopes
// facing the light are brighter, those facing away darker. Pixels of
// baseImage outside the map are copied as they are. False without memory.
bool buildShownMap(const Document &document, const Palette &pal, bool relief, LRMemoryDC &out);

} // namespace hs
