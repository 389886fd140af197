#include "Baselines.h"
#include "terrain/HeightField.h"
#include "terrain/Palette.h"
#include "view/Redraw.h"
#include "view/ShownMap.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace hs {
namespace {

constexpr int kSide = 4096;

LRMemoryDC paletteImage(int size) {
  LRMemoryDC dc(size, size);
  std::mt19937 gen(7);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      dc.writePixel(x, y, defaultPalette()[gen() & 0xFFu]);
  return dc;
}

// The floor, as in bench_core.
void BM_ImageCopy4096(benchmark::State &state) { imageCopy(state, paletteImage(kSide)); }
BENCHMARK(BM_ImageCopy4096)->Unit(benchmark::kMillisecond);

// Water and view on, order lines on, 100,000 objects over the 16 types, each
// type laid out as the fill tools lay them: rows of a box grid, one after the
// other, so order lines join neighbours.
void BM_Redraw4096(benchmark::State &state) {
  Scene scene;
  scene.baseImage = paletteImage(kSide);
  scene.viewImage = LRMemoryDC(kSide, kSide);
  scene.setMapSize(kSide, kSide);
  scene.camera = {2048, 0, 3800, AboveWater, 1};
  scene.lookAt = {2300, 0, 300, AboveGround, 0};
  scene.showWater = 1;
  scene.showView = 1;
  ProgramValues values;
  values.showOrder = 1;
  values.waterLevel = 40;
  std::mt19937 gen(5);
  for (int t = 0; t < kObjectTypes; ++t) {
    const double x0 = gen() % 3000, z0 = gen() % 3000;
    for (int i = 0; i < 6250; ++i)
      scene.objects[static_cast<std::size_t>(t)].append(x0 + (i % 79) * 12.5, 0,
                                                        z0 + (i / 79) * 12.5, AboveGround, 0);
  }
  for (auto _ : state) {
    redraw(scene, values);
    benchmark::DoNotOptimize(scene.viewImage.rowPixels(0));
  }
  state.counters["objects"] = static_cast<double>(scene.objectCount());
}
BENCHMARK(BM_Redraw4096)->Unit(benchmark::kMillisecond);

// An 8192 x 8192 16-bit map: long slopes with a little noise.
const LRMemoryDC &map8192() {
  static const LRMemoryDC image = [] {
    LRMemoryDC dc(8192, 8192);
    std::mt19937 gen(11);
    for (int y = 0; y < 8192; ++y)
      for (int x = 0; x < 8192; ++x) {
        const auto v = static_cast<std::uint32_t>(
            32768 + 16000 * std::sin(x / 300.0) * std::cos(y / 470.0) + (gen() & 63));
        dc.rowPixels(y)[x] = 0xFF000000u | (v & 255) << 16 | (v >> 8) << 8 | v >> 8;
      }
    return dc;
  }();
  return image;
}

// The floor for the coloured, shaded base: one copy of the map's image.
void BM_ImageCopy8192(benchmark::State &state) { imageCopy(state, map8192()); }
BENCHMARK(BM_ImageCopy8192)->Unit(benchmark::kMillisecond);

void BM_Relief8192(benchmark::State &state) {
  Scene scene;
  LRMemoryDC map(8192, 8192);
  map.copyFrom(map8192());
  commitHeightField(scene, std::move(map));
  scene.hfType = PngMap;
  ProgramValues values;
  LRMemoryDC out;
  for (auto _ : state) {
    if (!buildShownMap(scene, values, defaultPalette(), true, out))
      state.SkipWithError("no memory");
    benchmark::DoNotOptimize(out.rowPixels(0));
  }
}
BENCHMARK(BM_Relief8192)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
