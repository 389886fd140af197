#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"
#include "gui/image/MouseButtons.h"

namespace hs {

// The map pane's mouse handlers, at pane coordinates. They keep the readout,
// the click count and the rubber band, and hand the rest to the tool of the
// current mode (placement/Tool.h): the placement tools, the one-click camera,
// look-at and water picks (which end by themselves and return to the previous
// mode), deleting, editing and moving.
void mousePress(Scene &scene, ProgramValues &values, int x, int y, int button);
// A move with no button held: only the readout.
void mouseMotion(Scene &scene, ProgramValues &values, int x, int y);
// A move with a button held: the readout, then the rubber band of the line,
// box, circle and delete modes or the moving item's image.
void mouseDrag(Scene &scene, ProgramValues &values, int x, int y, int button);
void mouseRelease(Scene &scene, ProgramValues &values, int x, int y, int button);

// The camera (which 0) or look-at (which 1) pick at map point (mapX, mapZ)
// with sampled height h: moves the item there, redraws, shows the height
// dialog through endCameraPick, gives the item the heights the dialog left and
// returns to previousMode.
void finishCameraPick(Scene &scene, ProgramValues &values, int which, int mapX, int h, int mapZ);
// A new water level, typed or picked; a map that shows the water shows the new
// line at once.
void setWaterLevel(Scene &scene, float level);
// The model half of the window's endWaterPick: the water level becomes level
// (0 when negative) and the mode returns to previousMode.
void finishWaterPick(Scene &scene, ProgramValues &values, int level);

} // namespace hs
