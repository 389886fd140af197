#include "placement/Commands.h"

#include "placement/Unseen.h"

namespace hs {

void commandDelUnseen(Scene &scene, const ProgramValues &values) {
  scene.services().setStatusText(" Delete UNSEEN Objects");
  deleteUnseen(scene);
  scene.services().showModeStatus(values.modes.mode() + 1);
}

void commandKillAll(Scene &scene, const ProgramValues &values) {
  scene.services().setStatusText(" DELETE ALL Objects");
  scene.document().killAll();
  scene.changed(Change::Objects);
  scene.services().showModeStatus(values.modes.mode() + 1);
}

void commandKeep(Scene &scene) {
  if (!scene.document().keep())
    scene.services().notice("Notice", kNoMemoryToKeepMessage);
}

void commandUndo(Scene &scene) {
  scene.viewImage.copyFrom(scene.document().baseImage());
  const bool restored = scene.document().goBackToKept();
  // Drawn again also when nothing was restored, as it always has been.
  scene.changed(Change::Everything);
  if (!restored)
    scene.services().notice("Notice", kNoMemoryToUndoMessage);
}

} // namespace hs
