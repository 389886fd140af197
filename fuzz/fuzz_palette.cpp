// fuzz-links: hs_terrain
// Any bytes as a palette file: 0 or 2, never a crash, and a refused file
// leaves the palette exactly as it was.
#include "terrain/Palette.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static const std::string path = "/tmp/hs_fuzz_palette_" + std::to_string(getpid()) + ".pal";
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f)
    std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  hs::Palette pal = hs::defaultPalette();
  const int result = hs::loadPalette(pal, path);
  if (result != hs::PaletteLoaded && result != hs::PaletteBodyError)
    std::abort();
  if (result != hs::PaletteLoaded && pal != hs::defaultPalette())
    std::abort();
  return 0;
}
