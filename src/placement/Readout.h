#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <string>

namespace hs {

// Keys the map window reacts to; everything else is Other.
enum class Key { Left, Right, Up, Down, Return, Escape, Other };

// Keeps the pointer's map position in the window's cursorX, cursorY and, when
// sample is not negative, writes the readout in the units of unitsMode.
void showReadout(Scene &scene, const ProgramValues &values, int mapX, int sample, int mapZ);
// The readout text for a map point and its height as the map's type decodes
// it (heightAt): 0-255 on a Targa map, 0-65535 on a 16-bit one.
std::string readoutText(const Document &document, const ProgramValues &values, int mapX, int sample,
                        int mapZ);

// Arrow keys nudge the pointer one pixel without leaving the visible part of
// the map; Return places one object of currentType at the pointer's map
// position, whatever the mode and whatever the height there.
void keyIn(Scene &scene, ProgramValues &values, Key key, bool shift);

} // namespace hs
