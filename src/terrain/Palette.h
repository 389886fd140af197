#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"
#include "gui/image/vColor.h"

#include <array>
#include <optional>
#include <string>

namespace hs {

// The 256 colours that paint Targa indices. Red and green give the map its
// look; blue carries the height (entry i should have blue i).
using Palette = std::array<ColourValue, 256>;

// The program-wide palette, starting as the built-in one.
Palette &palette();
// The built-in palette: fourteen ramps of 16 entries, a light grey ramp for
// 224..240 and near white for 241..255. Blue equals the index up to 240.
const Palette &defaultPalette();

enum PaletteResult {
  PaletteLoaded = 0,
  PaletteOpenError = 1,
  PaletteBodyError = 2,
  PaletteCancelled = 3,
};

inline constexpr const char *kPaletteOpenError = "open error";
inline constexpr const char *kPaletteBodyError = "Body error";
inline constexpr const char *kPaletteChooserTitle = "Open PALETTE File";

// The notice for a palette result, or nullptr when there is none to show.
const char *paletteMessage(int result);

// Reads a palette file: 256 lines of "%i,%i,%i" (decimal, 0 octal, 0x hex),
// each number kept modulo 256. All or nothing: out changes only on success.
// Returns 0, 1 (cannot open) or 2 (a bad line or fewer than 256 lines).
int loadPalette(Palette &out, const std::string &path);

// Parses one palette line into a colour; false when it does not start with
// three numbers joined by commas. Exposed for tests.
bool parsePaletteLine(const std::string &line, ColourValue &out);

// Recolours the map: every pixel of baseImage takes the palette colour of the
// index its blue component holds.
void applyPalette(Scene &scene, const Palette &pal);

// The "Palette" command ("Fix TGA Palette") once the chooser has answered
// (nullopt or an empty name when it was cancelled). Only a Targa map can be
// recoloured: with the loaded map's hfType not 0 the chooser is not run,
// nothing changes and the result is PaletteCancelled, which shows nothing.
// (hfFileType is only the type of the last attempted load: after a failed
// one it can name a Targa while a PPM map is shown.) Otherwise the name is
// stored in paletteFileName and the file loaded into pal; on success the map is
// recoloured and redrawn (through Scene::changed) twice, as the command has
// always done. Returns 0..3; paletteMessage gives the notice.
int paletteCommand(Scene &scene, WindowValues &window, Palette &pal,
                   const std::optional<std::string> &chosen);

// Whether the "Palette" command would open the chooser at all.
inline bool paletteCommandWanted(const Scene &scene) { return scene.hfType == 0; }

// Loads a palette file into pal and, on success, recolours the map and
// redraws it (through Scene::changed). The start-up load uses this too.
int loadAndApplyPalette(Scene &scene, Palette &pal, const std::string &path);

} // namespace hs
