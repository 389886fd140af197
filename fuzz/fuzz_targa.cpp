// fuzz-links: hs_terrain
// Any bytes as a Targa height field: a result code, never a crash or a hang,
// and a failed load leaves the scene as it was.
#include "terrain/HeightField.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string writeInput(const std::uint8_t *data, std::size_t size) {
  static const std::string path = "/tmp/hs_fuzz_targa_" + std::to_string(getpid()) + ".tga";
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f)
    std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static hs::Scene scene;
  const int w = scene.mapWidth;
  const int h = scene.mapHeight;
  const int result = hs::loadTarga(scene, writeInput(data, size), hs::defaultPalette());
  if (result < hs::Loaded || result > hs::ShortData)
    std::abort();
  if (result != hs::Loaded && (scene.mapWidth != w || scene.mapHeight != h))
    std::abort();
  if (scene.baseImage.width() != scene.mapWidth || scene.viewImage.height() != scene.mapHeight)
    std::abort();
  return 0;
}
