#pragma once

#include "core/LRMemoryDC.h"
#include "core/ProgramValues.h"
#include "core/Scene.h"
#include "io/PlaceData.h"
#include "terrain/HeightField.h"
#include "terrain/HeightFieldFormats.h"
#include "terrain/Palette.h"

#include <optional>
#include <string>

namespace hs {

// Makes a read image the scene's map (commitHeightField) and fits viewImage
// to it (fitViewToMap); the view shows it when the step ends. All or nothing: when no viewImage of
// the new size can be made, the result is Incompatible and the scene is
// exactly as it was. hfType is left to the caller.
int showHeightField(Scene &scene, LRMemoryDC &&image);

// Makes viewImage the size of the document's map, drawing with the scene's
// pen and brush, and keeps the scroll offsets in range; the pixels are the
// next redraw's. False, with viewImage as it was, when no viewImage of the
// new size can be made.
bool fitViewToMap(Scene &scene);

// Undo (forward false) or redo one step of the scene's history; the view
// redraws from what the step changed.
// False when there was no step to take. The caller updates the scroll bars.
bool stepHistory(Scene &scene, bool forward);

// Reads the named file as a map of type (readHeightFieldFile) and shows it as
// above. The read runs through the window's runWithProgress (unless
// offTheEventLoop is false): off the event loop, and once it takes a while
// with progress and Cancel (LoadCancelled). On any failure the scene is
// exactly as it was.
int loadHeightField(Scene &scene, const std::string &path, int type, const Palette &pal,
                    bool offTheEventLoop = true);

// Classifies name as the "Heightfeild" command does and reads it: ".ppm"
// anywhere in the name (case-sensitive) reads it as PPM, else ".tga" anywhere
// as Targa (colour-mapped or true colour, as its header's image type says), so
// a name with both is all or nothing as one PPM read. Only a name
// with neither is then taken by its ending, in any case: ".png" as PNG, ".pgm"
// as PGM. A name of no type gives WrongFileType. The document's hfFileType
// takes the type read only on Loaded; any failure leaves it as it was.
int loadHeightFieldByName(Scene &scene, const Palette &pal, const std::string &name,
                          bool offTheEventLoop = true);

// What follows a load by the "Heightfeild" command. On Loaded: hfType takes
// hfFileType and the scene is re-fitted to the new size; the view shows the new
// map once, when the step ends. The caller
// updates the scroll bars.
void finishHeightFieldLoad(Scene &scene, int result);

// The "Heightfeild" command once the chooser has answered (nullopt or an empty
// name when cancelled): reads the chosen file and finishes as above; only on
// Loaded do hfFileName and hfFileType take its name and type, so a failed
// load changes nothing at all. Returns the result; heightFieldMessage gives the notice.
int heightFieldCommand(Scene &scene, const Palette &pal, const std::optional<std::string> &chosen);

// The load at start-up: hfFileName classified and read as the "Heightfeild"
// command does. On Loaded hfType follows the file, the scene is re-fitted to
// the new size, kept for Undo and redrawn; otherwise nothing more changes.
// Returns the result; firstLoadMessage gives the notice.
int firstHeightFieldLoad(Scene &scene, const Palette &pal);

// Loads a palette file and, on success, makes it pal, recolours the map and
// the view redraws it. The start-up load uses this too.
int loadAndApplyPalette(Scene &scene, Palette &pal, const std::string &path);

// Whether the "Palette" command would open the chooser at all.
inline bool paletteCommandWanted(const Scene &scene) { return !is16Bit(scene.document().hfType()); }

// The "Palette" command ("Fix TGA Palette") once the chooser has answered
// (nullopt or an empty name when it was cancelled). Only a Targa map can be
// recoloured: with the loaded map's hfType not 0 the chooser is not run,
// nothing changes and the result is PaletteCancelled, which shows nothing.
// (hfFileType is only the type of the last attempted load: after a failed
// one it can name a Targa while a PPM map is shown.) Otherwise the name is
// stored in paletteFileName and the file loaded into pal; on success the map is
// recoloured (twice, as the command has always done) and shown once.
// Returns 0..3; paletteMessage gives the notice.
int paletteCommand(Scene &scene, WindowValues &window, Palette &pal,
                   const std::optional<std::string> &chosen);

// The last step of "Open.Data" (io/PlaceData): makes the read map the
// scene's map and shows it (showHeightField), then replaces the placement with
// the file's; the view redraws. Returns 0, or 5/6 when no view of the map's
// size can be made, with the scene exactly as it was. The command takes a Keep
// after 0.
int commitPlaceDataOpen(Scene &scene, PlaceDataOpen &open);

} // namespace hs
