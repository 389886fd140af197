// fuzz-links: hs_terrain
// Any bytes as a Targa height field, colour-mapped and true colour: a result
// code, never a crash or a hang.
#include "HeightFieldCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  checkHeightFieldRead(data, size, [](QIODevice &in, hs::LRMemoryDC &image) {
    return hs::readTarga(in, hs::defaultPalette(), image);
  });
  checkHeightFieldRead(data, size, [](QIODevice &in, hs::LRMemoryDC &image) {
    return hs::readTrueColourTarga(in, image);
  });
  return 0;
}
