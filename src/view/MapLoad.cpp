#include "view/MapLoad.h"

#include "core/Names.h"
#include "terrain/Height.h"
#include "terrain/HeightFieldFormats.h"
#include "view/Redraw.h"

#include <utility>

namespace hs {

int showHeightField(Scene &scene, LRMemoryDC &&image) {
  // The old viewImage is only a picture of the old map, rebuilt by every
  // redraw, so when it already has the new size it is reused; otherwise the
  // new one is made before anything in the scene changes.
  LRMemoryDC view;
  if (scene.viewImage.width() != image.width() || scene.viewImage.height() != image.height()) {
    view = LRMemoryDC(image.width(), image.height());
    if (view.isNull())
      return Incompatible;
  }
  if (!view.isNull())
    scene.viewImage = std::move(view);
  commitHeightField(scene.document(), std::move(image));
  // Shown once, when the step that loads it ends (the view listens).
  fitViewToMap(scene);
  scene.clampScroll(scene.document().mapWidth(), scene.document().mapHeight());
  return Loaded;
}

bool fitViewToMap(Scene &scene) {
  const LRMemoryDC &base = scene.document().baseImage();
  if (scene.viewImage.width() != base.width() || scene.viewImage.height() != base.height()) {
    LRMemoryDC view(base.width(), base.height());
    if (view.isNull())
      return false;
    scene.viewImage = std::move(view);
    // A smaller map loaded while scrolled would otherwise be shown, and
    // redrawn, from past its end: a blank pane until the next scroll.
    scene.clampScroll(scene.document().mapWidth(), scene.document().mapHeight());
  }
  // The pane and viewImage draw with the same pen and brush.
  scene.viewImage.setPen(scene.pen);
  scene.viewImage.setBrush(scene.brush);
  scene.viewImage.setDrawMode(DrawMode::Normal);
  return true;
}

bool stepHistory(Scene &scene, bool forward) { return scene.document().stepHistory(forward); }

int loadHeightField(Scene &scene, const std::string &path, int type, const Palette &pal,
                    bool offTheEventLoop) {
  // Only the file is read off the event loop (with progress and Cancel when
  // the window offers them); the document changes afterwards, on this thread.
  LRMemoryDC image;
  int result = LoadCancelled;
  const auto read = [&](const ProgressReport &progress) {
    result = readHeightFieldFile(path, type, pal, image, progress);
  };
  if (!offTheEventLoop)
    read({});
  else if (!scene.services().runWithProgress("Loading the map", read))
    return LoadCancelled;
  return result == Loaded ? showHeightField(scene, std::move(image)) : result;
}

namespace {

// The type a name gives: the .ppm/.tga rule first, then the other formats by
// their endings.
int typeOfName(const std::string &name) {
  // A name with both is read as PPM only. No file is both (a Targa starts with
  // byte 0, a PPM with "P6"), so a Targa read first could only be replaced by
  // the PPM read or, when that fails, leave a map of another type behind.
  if (name.find(".ppm") != std::string::npos)
    return PpmMap;
  if (name.find(".tga") != std::string::npos)
    return heightFieldTypeOfFile(name) == TrueColourTargaMap ? TrueColourTargaMap : TargaMap;
  // Those two go only by the rule above: "HILL.TGA" is of no type.
  const int type = heightFieldTypeOfEnding(name);
  return type == PpmMap || type == TargaMap ? -1 : type;
}

} // namespace

int loadHeightFieldByName(Scene &scene, const Palette &pal, const std::string &name,
                          bool offTheEventLoop) {
  const int type = typeOfName(name);
  if (type < 0)
    return WrongFileType;
  const int result = loadHeightField(scene, name, type, pal, offTheEventLoop);
  if (result == Loaded)
    scene.document().setHfFileType(type);
  return result;
}

void finishHeightFieldLoad(Scene &scene, int result) {
  if (result == Loaded) {
    Document &document = scene.document();
    document.setHfType(document.hfFileType());
    rescaleToMap(document);
  }
}

int heightFieldCommand(Scene &scene, const Palette &pal, const std::optional<std::string> &chosen) {
  int result = LoadCancelled;
  if (chosen && !chosen->empty()) {
    // The name is stored only with the map it names: after a failed read the
    // place data file, the include file and the settings must still name the
    // map shown. A name too long to keep cannot be opened either.
    result =
        chosen->size() > kMaxNameLength ? CannotOpen : loadHeightFieldByName(scene, pal, *chosen);
    if (result == Loaded)
      scene.document().setHfFileName(*chosen);
  }
  finishHeightFieldLoad(scene, result);
  return result;
}

int firstHeightFieldLoad(Scene &scene, const Palette &pal) {
  const std::string name = scene.document().hfFileName();
  // Read here: the window is not on the screen yet, and nothing else may run
  // in the middle of its start.
  const int result = loadHeightFieldByName(scene, pal, name, false);
  if (result == Loaded) {
    finishHeightFieldLoad(scene, result);
    scene.document().keep();
  }
  return result;
}

int loadAndApplyPalette(Scene &scene, Palette &pal, const std::string &path) {
  Palette read;
  const int result = loadPalette(read, path);
  if (result == PaletteLoaded) {
    commitPalette(scene.document(), pal, read);
  }
  return result;
}

int paletteCommand(Scene &scene, WindowValues &window, Palette &pal,
                   const std::optional<std::string> &chosen) {
  if (!paletteCommandWanted(scene))
    return PaletteCancelled;
  if (!chosen || chosen->empty())
    return PaletteCancelled;
  if (!setName(window.paletteFileName, *chosen))
    return PaletteOpenError; // a name too long to keep cannot be a file we can open
  const int result = loadAndApplyPalette(scene, pal, *chosen);
  if (result == PaletteLoaded)
    applyPalette(scene.document(), pal);
  return result;
}

int commitPlaceDataOpen(Scene &scene, PlaceDataOpen &open) {
  return commitPlaceDataOpen(scene.document(), open, [&scene](LRMemoryDC &&image) {
    return showHeightField(scene, std::move(image));
  });
}

} // namespace hs
