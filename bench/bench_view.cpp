#include "Baselines.h"
#include "terrain/Palette.h"
#include "view/Redraw.h"

#include <benchmark/benchmark.h>

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

} // namespace
} // namespace hs
