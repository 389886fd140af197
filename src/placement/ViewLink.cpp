#include "placement/ViewLink.h"

namespace hs {

void redrawMap(Scene &scene, const ProgramValues &) {
  if (scene.redrawHook)
    scene.redrawHook(scene);
}

std::vector<Point> unseenPolygon(const Scene &) { return {}; }

void useUnseenPenAndBrush(Scene &scene) {
  scene.pen.colour = unseenColour;
  scene.brush.colour = unseenColour;
}

} // namespace hs
