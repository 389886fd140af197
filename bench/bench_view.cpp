#include "Baselines.h"
#include "core/ZoomPicture.h"
#include "terrain/HeightField.h"
#include "terrain/Palette.h"
#include "view/Redraw.h"
#include "view/Scroll.h"
#include "view/ShownMap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <tuple>
#include <utility>

namespace hs {
namespace {

constexpr int kSide = 4096;

LRMemoryDC paletteImage(int width, int height) {
  LRMemoryDC dc(width, height);
  std::mt19937 gen(7);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      dc.writePixel(x, y, defaultPalette()[gen() & 0xFFu]);
  return dc;
}

// A pane that keeps a copy of what it is shown, as the real one does.
class BenchSurface final : public QuietSurface {
public:
  void showImage(const vMemoryDC &image, int srcX, int srcY, int width, int height) override {
    if (pixels.width() != width || pixels.height() != height)
      pixels = LRMemoryDC(width, height);
    for (int y = 0; y < height; ++y)
      std::copy_n(image.rowPixels(srcY + y) + srcX, width, pixels.rowPixels(y));
  }
  LRMemoryDC pixels;
};

// A 4096 x 4096 map with water and view on and 100,000 objects over the 16
// types, each type laid out as the fill tools lay them: rows of a box grid,
// one after the other, so order lines join neighbours.
void setUpScene(Scene &scene) {
  scene.document().setMap(paletteImage(kSide, kSide));
  scene.viewImage = LRMemoryDC(kSide, kSide);
  scene.document().setCamera({2048, 0, 3800, AboveWater, 1});
  scene.document().setLookAt({2300, 0, 300, AboveGround, 0});
  scene.showWater = 1;
  scene.showView = 1;
  scene.document().setWaterLevel(40);
  std::mt19937 gen(5);
  for (int t = 0; t < kObjectTypes; ++t) {
    const double x0 = gen() % 3000, z0 = gen() % 3000;
    for (int i = 0; i < 6250; ++i)
      scene.document().append(static_cast<std::size_t>(t), x0 + (i % 79) * 12.5, 0,
                              z0 + (i / 79) * 12.5, AboveGround, 0);
  }
}

// The floor, as BM_CoreImageCopy4096.
void BM_ImageCopy4096(benchmark::State &state) { imageCopy(state, paletteImage(kSide, kSide)); }
BENCHMARK(BM_ImageCopy4096)->Unit(benchmark::kMillisecond);

// A whole redraw of that scene, order lines on.
void BM_Redraw4096(benchmark::State &state) {
  UnrecordedScene scene;
  ProgramValues values;
  values.showOrder = 1;
  setUpScene(scene);
  for (auto _ : state) {
    redraw(scene, values);
    benchmark::DoNotOptimize(scene.viewImage.rowPixels(0));
  }
  state.counters["objects"] = static_cast<double>(scene.document().objectCount());
}
BENCHMARK(BM_Redraw4096)->Unit(benchmark::kMillisecond);

// One placement on that scene as the view hears it: its own mark and the
// pane, 1000 x 800 of it, shown again; no redraw of the map.
void BM_PlaceOne4096(benchmark::State &state) {
  UnrecordedScene scene;
  ProgramValues values;
  values.showOrder = 1;
  setUpScene(scene);
  BenchSurface pane;
  scene.attachSurface(&pane);
  std::tie(scene.viewWidth, scene.viewHeight) = std::pair(1000, 800);
  installRedraw(scene, values);
  redraw(scene, values);
  int i = 0;
  for (auto _ : state) {
    i = (i + 997) % 4000;
    scene.document().append(3, ScItem{double(i), 0, double(4000 - i), AboveGround, 0});
    benchmark::DoNotOptimize(pane.pixels.rowPixels(0));
  }
}
BENCHMARK(BM_PlaceOne4096)->Unit(benchmark::kMicrosecond);

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
  UnrecordedScene scene;
  LRMemoryDC map(8192, 8192);
  map.copyFrom(map8192());
  commitHeightField(scene.document(), std::move(map));
  scene.document().setHfType(PngMap);
  ProgramValues values;
  LRMemoryDC out;
  for (auto _ : state) {
    if (!buildShownMap(scene.document(), defaultPalette(), true, out))
      state.SkipWithError("no memory");
    benchmark::DoNotOptimize(out.rowPixels(0));
  }
}
BENCHMARK(BM_Relief8192)->Unit(benchmark::kMillisecond);

// From the shaded base, what a 1024 x 1024 pane shows at Fit (an eighth,
// area-averaged).
void BM_ShowFit8192(benchmark::State &state) {
  LRMemoryDC pane(1024, 1024);
  const LRMemoryDC &base = map8192();
  for (auto _ : state) {
    zoomPicture(base, -3, 0, 0, pane);
    benchmark::DoNotOptimize(pane.rowPixels(0));
  }
}
BENCHMARK(BM_ShowFit8192)->Unit(benchmark::kMillisecond);

// The floor for a pane: one 1024 x 768 copy.
void BM_ImageCopyPane(benchmark::State &state) { imageCopy(state, paletteImage(1024, 768)); }
BENCHMARK(BM_ImageCopyPane)->Unit(benchmark::kMicrosecond);

// At 4x on the 4096 x 4096 map with 100,000 objects and order lines, scroll
// by 100 pane pixels and build what a 1024 x 768 pane shows, marks included.
void BM_ZoomScroll4096(benchmark::State &state) {
  UnrecordedScene scene;
  BenchSurface pane;
  scene.attachSurface(&pane);
  ProgramValues values;
  values.showOrder = 1;
  setUpScene(scene);
  resizePane(scene, 1024, 768);
  zoomTo(scene, values, 2, 512, 384);
  int step = 100;
  for (auto _ : state) {
    if (scene.scrollX + step > scene.zoomedSize(kSide) - 1024 || scene.scrollX + step < 0)
      step = -step;
    scrollBy(scene, ScrollAxis::Horizontal, step);
    benchmark::DoNotOptimize(pane.pixels);
  }
}
BENCHMARK(BM_ZoomScroll4096)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace hs
