#include "placement/Commands.h"

#include "placement/Unseen.h"
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

void commandKeep(Scene &scene) {
  if (!keep(scene) && scene.services)
    scene.services->notice("Notice", kNoMemoryToKeepMessage);
}

void commandUndo(Scene &scene, const ProgramValues &values) {
  scene.viewImage.copyFrom(scene.baseImage);
  const bool restored = undo(scene);
  // undo redraws through the hook the view installs; without one, or when it
  // restored nothing, the map is drawn again here.
  if (!restored || !scene.redrawHook)
    redrawMap(scene, values);
  if (!restored && scene.services)
    scene.services->notice("Notice", kNoMemoryToUndoMessage);
}

} // namespace hs
