// fuzz-links: hs_terrain
// Any bytes as a PPM height field: a result code, never a crash or a hang,
// and a failed load leaves the scene as it was.
#include "FuzzFile.h"
#include "HeightFieldCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static hs::Scene scene;
  const std::string path = writeFuzzFile("ppm", data, size);
  checkHeightFieldLoad(scene, [&](hs::Scene &s) { return hs::loadPpm(s, path); });
  return 0;
}
