#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

namespace hs {

// The editing commands of the main window. "Del Unseen" and " Kill All" write
// their own status text first and the current mode's label last; "Keep" and
// "Undo" leave the status line alone.
void commandDelUnseen(Scene &scene, const ProgramValues &values);
void commandKillAll(Scene &scene, const ProgramValues &values);
void commandKeep(Scene &scene);
void commandUndo(Scene &scene, const ProgramValues &values);

} // namespace hs
