#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

namespace hs {

// The editing commands of the main window. "Del Unseen" and " Kill All" write
// their own status text first and the current mode's label last; "Keep" and
// "Undo" leave the status line alone; when memory runs out they change nothing
// and say so in a notice.
void commandDelUnseen(Scene &scene, const ProgramValues &values);
void commandKillAll(Scene &scene, const ProgramValues &values);
void commandKeep(Scene &scene);
void commandUndo(Scene &scene);

inline constexpr const char *kNoMemoryToKeepMessage =
    "Not enough memory to keep a copy of the scene.\nThe copy kept before stays.";
inline constexpr const char *kNoMemoryToUndoMessage =
    "Not enough memory to go back to the kept copy.\nThe scene stays as it is.";

} // namespace hs
