// fuzz-links: hs_terrain
// Any bytes as a PNG height field: a result code, never a crash or a hang.
#include "HeightFieldCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  checkHeightFieldRead(data, size,
                       [](QIODevice &in, hs::LRMemoryDC &image) { return hs::readPng(in, image); });
  return 0;
}
