// fuzz-links: hs_terrain
// Any bytes as a Targa height field: a result code, never a crash or a hang,
// and a failed load leaves the scene as it was.
#include "FuzzFile.h"
#include "HeightFieldCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static hs::Scene scene;
  const std::string path = writeFuzzFile("targa", data, size);
  checkHeightFieldLoad(scene,
                       [&](hs::Scene &s) { return hs::loadTarga(s, path, hs::defaultPalette()); });
  return 0;
}
