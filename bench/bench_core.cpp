#include "Baselines.h"
#include "core/LRMemoryDC.h"
#include "core/ScData.h"
#include "terrain/Height.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace hs {
namespace {

void BM_CoreVectorPushBack1M(benchmark::State &state) { vectorPushBack1M(state); }
BENCHMARK(BM_CoreVectorPushBack1M)->Unit(benchmark::kMillisecond);

void BM_ScDataAppend1M(benchmark::State &state) {
  for (auto _ : state) {
    ScData list;
    for (int i = 0; i < 1'000'000; ++i)
      list.append(double(i), 1.0, 2.0, 0, 0.0);
    benchmark::DoNotOptimize(list.count());
  }
}
BENCHMARK(BM_ScDataAppend1M)->Unit(benchmark::kMillisecond);

LRMemoryDC noiseImage(int size) {
  LRMemoryDC dc(size, size);
  std::mt19937 gen(7);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      dc.writePixel(x, y, gen() & 0xFFFFFFu);
  return dc;
}

void BM_CoreImageCopy4096(benchmark::State &state) { imageCopy(state, noiseImage(4096)); }
BENCHMARK(BM_CoreImageCopy4096)->Unit(benchmark::kMillisecond);

void BM_PaintAtOrBelow4096(benchmark::State &state) {
  const LRMemoryDC src = noiseImage(4096);
  LRMemoryDC dc = src;
  unsigned level = 0;
  for (auto _ : state) {
    dc.paintAtOrBelow(4096, 4096, 0, level++ & 127u, 0xEE1312);
    benchmark::DoNotOptimize(dc.rowPixels(0));
  }
}
BENCHMARK(BM_PaintAtOrBelow4096)->Unit(benchmark::kMillisecond);

void BM_HeightAt1M(benchmark::State &state) {
  Document scene(Document::Recording::Off);
  scene.setMap(noiseImage(4096));
  std::mt19937 gen(11);
  std::vector<int> xs(1'000'000), ys(1'000'000);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    xs[i] = static_cast<int>(gen() % 4096);
    ys[i] = static_cast<int>(gen() % 4096);
  }
  for (auto _ : state) {
    long long sum = 0;
    for (std::size_t i = 0; i < xs.size(); ++i)
      sum += heightAt(scene, xs[i], ys[i]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_HeightAt1M)->Unit(benchmark::kMillisecond);

// The floor for BM_HeightAt1M: the same random points read straight from the
// pixel array, with no bounds tests and no decoding.
void BM_RawRandomRead1M(benchmark::State &state) {
  const LRMemoryDC image = noiseImage(4096);
  std::mt19937 gen(11);
  std::vector<int> xs(1'000'000), ys(1'000'000);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    xs[i] = static_cast<int>(gen() % 4096);
    ys[i] = static_cast<int>(gen() % 4096);
  }
  for (auto _ : state) {
    unsigned long long sum = 0;
    for (std::size_t i = 0; i < xs.size(); ++i)
      sum += image.rowPixels(ys[i])[xs[i]];
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_RawRandomRead1M)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
