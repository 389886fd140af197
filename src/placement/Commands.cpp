#include "placement/Commands.h"

#include "placement/Unseen.h"

namespace hs {

void commandDelUnseen(Scene &scene, const ProgramValues &values) {
  scene.services().setStatusText(" Delete UNSEEN Objects");
  deleteUnseen(scene.document());
  scene.services().showModeLabel(values.modes.mode());
}

void commandKillAll(Scene &scene, const ProgramValues &values) {
  scene.services().setStatusText(" DELETE ALL Objects");
  scene.document().killAll();
  scene.services().showModeLabel(values.modes.mode());
}

void commandKeep(Scene &scene) {
  if (!scene.document().keep())
    scene.services().notice("Notice", kNoMemoryToKeepMessage);
}

void commandUndo(Scene &scene) {
  if (!scene.document().goBackToKept())
    scene.services().notice("Notice", kNoMemoryToUndoMessage);
}

} // namespace hs
