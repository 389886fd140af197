#include "placement/ViewLink.h"

#include "view/Redraw.h"

namespace hs {

void redrawMap(Scene &scene, const ProgramValues &values) { redraw(scene, values); }

// Del Unseen uses a slightly wider view than the map shows (34), so objects
// near the edge of what is shown are spared.
std::vector<Point> unseenPolygon(const Scene &scene) { return viewPolygon(scene, 36.0); }

void useUnseenPenAndBrush(Scene &scene) {
  setPenColour(scene, unseenColour);
  setBrushColour(scene, unseenColour);
}

} // namespace hs
