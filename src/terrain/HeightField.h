#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"
#include "terrain/Palette.h"

#include <optional>
#include <string>

namespace hs {

// Results of the height-field readers and of the "Heightfeild" command.
enum LoadResult {
  Loaded = 0,
  CannotOpen = 1,
  Incompatible = 2,
  ShortData = 3,
  WrongFileType = 4, // the name is neither .tga nor .ppm; nothing was read
  LoadCancelled = 5, // the chooser was cancelled; nothing was read, no notice
};

// Largest width or height a reader accepts.
inline constexpr int kMaxMapSide = 16384;

inline constexpr const char *kHfCannotOpen = "Unable to LOAD File !!";
inline constexpr const char *kHfIncompatible = "File Inconpatable!!";
inline constexpr const char *kHfShortData = "ERROR in File Data!!";
inline constexpr const char *kHfWrongType = "WRONG  FILE TYPE!!\n\nTGA & PPM types only !!";
inline constexpr const char *kHfChooserTitle = "Load Hf file";

// The notice for a result, or nullptr when none is shown (Loaded, LoadCancelled).
const char *heightFieldMessage(int result);

// Reads an 8-bit colour-mapped, uncompressed, top-left-origin Targa file and
// paints each index through pal into a new baseImage of the file's size.
// All or nothing: on any failure the scene is exactly as it was. On success
// the previous size is kept in prevMapWidth/Height, the centre recomputed,
// viewImage is a copy of baseImage and is shown on the pane. hfType is left
// to the caller.
int loadTarga(Scene &scene, const std::string &path, const Palette &pal);

// Reads a binary "P6" PPM with maximum value 255. The data starts at the byte
// right after the maximum value's last digit, and each byte triple (t0, t1, t2)
// becomes red t2, green t1, blue t0, so that red + 256 * green of a map pixel is
// 256 * R + G of the file's pixel. Otherwise as loadTarga.
int loadPpm(Scene &scene, const std::string &path);

// Classifies name as the "Heightfeild" command does and reads it: ".ppm"
// anywhere in the name (case-sensitive) reads it as PPM, else ".tga" anywhere
// as Targa, so a name with both is all or nothing as one PPM read. Sets
// window.hfFileType to the type tried; a name with neither gives
// WrongFileType and hfFileType 0.
int loadHeightFieldByName(Scene &scene, WindowValues &window, const Palette &pal,
                          const std::string &name);

// What follows a load by the "Heightfeild" command. On Loaded: hfType takes
// window.hfFileType, viewImage is shown, the scene is re-fitted to the new
// size. In every case the map is then redrawn (through Scene::changed).
// The caller updates the scroll bars.
void finishHeightFieldLoad(Scene &scene, const WindowValues &window, int result);

// The "Heightfeild" command once the chooser has answered (nullopt or an empty
// name when cancelled): stores the name in hfFileName, reads it and finishes
// as above. Returns the result; heightFieldMessage gives the notice.
int heightFieldCommand(Scene &scene, WindowValues &window, const Palette &pal,
                       const std::optional<std::string> &chosen);

// The load at start-up: hfFileName classified and read as the "Heightfeild"
// command does. On Loaded hfType follows the file, the scene is re-fitted to
// the new size, kept for Undo and redrawn; otherwise nothing more changes.
// Returns the result; firstLoadMessage gives the notice.
int firstHeightFieldLoad(Scene &scene, WindowValues &window, const Palette &pal);

// The start-up notice for a result, or nullptr for Loaded. A name of neither
// type says that it was the first load.
const char *firstLoadMessage(int result);

} // namespace hs
