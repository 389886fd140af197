// fuzz-links: hs_terrain
// Any bytes as a palette file: 0 or 2, never a crash, and a refused file
// leaves the palette exactly as it was.
#include "FuzzFile.h"
#include "terrain/Palette.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string path = writeFuzzFile("palette", data, size);
  hs::Palette pal = hs::defaultPalette();
  const int result = hs::loadPalette(pal, path);
  if (result != hs::PaletteLoaded && result != hs::PaletteBodyError)
    std::abort();
  if (result != hs::PaletteLoaded && pal != hs::defaultPalette())
    std::abort();
  return 0;
}
