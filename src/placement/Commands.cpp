#include "placement/Commands.h"

#include "placement/Edit.h"
#include "placement/ViewLink.h"

namespace hs {

void commandDelUnseen(Scene &scene, const ProgramValues &values) {
  if (scene.services)
    scene.services->setStatusText(" Delete UNSEEN Objects");
  deleteUnseen(scene, values);
  if (scene.services)
    scene.services->showModeStatus(values.mode + 1);
}

void commandKillAll(Scene &scene, const ProgramValues &values) {
  if (scene.services)
    scene.services->setStatusText(" DELETE ALL Objects");
  killAll(scene);
  redrawMap(scene, values);
  if (scene.services)
    scene.services->showModeStatus(values.mode + 1);
}

void commandKeep(Scene &scene) { keep(scene); }

void commandUndo(Scene &scene, const ProgramValues &values) {
  scene.viewImage.copyFrom(scene.baseImage);
  undo(scene);
  // undo redraws through the hook the view installs; without one, redraw here.
  if (!scene.redrawHook)
    redrawMap(scene, values);
}

} // namespace hs
