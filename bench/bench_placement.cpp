#include "Baselines.h"
#include "placement/Edit.h"
#include "placement/Fill.h"
#include "placement/Unseen.h"
#include "view/Redraw.h"

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

namespace hs {
namespace {

constexpr int kMap = 4096;

// A 4096 x 4096 Targa-style map with heights that vary, camera in the middle
// looking toward the top edge.
std::unique_ptr<UnrecordedScene> bigScene() {
  auto s = std::make_unique<UnrecordedScene>();
  LRMemoryDC map(kMap, kMap);
  s->viewImage = LRMemoryDC(kMap, kMap);
  for (int y = 0; y < kMap; ++y) {
    std::uint32_t *row = map.rowPixels(y);
    for (int x = 0; x < kMap; ++x)
      row[x] = toQtPixel(vColor(0, 0, (x ^ y) & 255).value());
  }
  s->setMap(std::move(map));
  s->document().setCamera({2048, 0, 2048, AboveWater, 1.0});
  s->document().setLookAt({2048, 0, 1024, AboveGround, 0.0});
  return s;
}

void scatter(Scene &s, int n) {
  std::mt19937 gen(5);
  for (int i = 0; i < n; ++i)
    s.document().append(gen() % 16, gen() % kMap, 0, gen() % kMap, 0, 0.0);
}

void freshLists(Scene &s) {
  // Emptied lists, as a new scene's.
  s.document().killAll();
}

void BM_VectorPushBack1M(benchmark::State &state) { vectorPushBack1M(state); }
BENCHMARK(BM_VectorPushBack1M)->Unit(benchmark::kMillisecond);

void BM_FillBox1000(benchmark::State &state) {
  auto s = bigScene();
  ProgramValues values;
  values.fillCount = 1000;
  for (auto _ : state) {
    state.PauseTiming();
    freshLists(*s);
    state.ResumeTiming();
    fillBox(s->document(), values, {10, 10}, {4000, 4000});
    benchmark::DoNotOptimize(s->document().objects()[0].count());
  }
}
BENCHMARK(BM_FillBox1000)->Unit(benchmark::kMillisecond);

// A redraw with 100,000 objects scattered at random; no water, view or order lines.
void BM_RedrawScattered4096(benchmark::State &state) {
  auto s = bigScene();
  ProgramValues values;
  scatter(*s, 100'000);
  for (auto _ : state) {
    redraw(*s, values);
    benchmark::DoNotOptimize(s->viewImage.rowPixels(0));
  }
}
BENCHMARK(BM_RedrawScattered4096)->Unit(benchmark::kMillisecond);

void BM_DeleteUnseen4096(benchmark::State &state) {
  auto s = bigScene();
  ProgramValues values;
  installRedraw(*s, values); // the closing redraw is part of the command
  scatter(*s, 100'000);
  s->keep();
  for (auto _ : state) {
    state.PauseTiming();
    s->goBackToKept();
    state.ResumeTiming();
    const HistoryStep step(s->document(), "Del Unseen"); // one redraw, as the command
    deleteUnseen(s->document());
    benchmark::DoNotOptimize(s->document().objectCount());
  }
}
BENCHMARK(BM_DeleteUnseen4096)->Unit(benchmark::kMillisecond);

// The worst case for the ratio: every object is in view, so nothing goes and
// the closing redraw draws all 100,000 of them.
void BM_DeleteUnseen4096AllSeen(benchmark::State &state) {
  auto s = bigScene();
  ProgramValues values;
  installRedraw(*s, values);
  std::mt19937 gen(5);
  for (int i = 0; i < 100'000; ++i)
    s->document().append(gen() % 16, 1800 + gen() % 500, 0, gen() % 1200, 0, 0.0);
  for (auto _ : state) {
    const HistoryStep step(s->document(), "Del Unseen");
    deleteUnseen(s->document());
    benchmark::DoNotOptimize(s->document().objectCount());
  }
  if (s->document().objectCount() != 100'000)
    state.SkipWithError("objects were deleted");
}
BENCHMARK(BM_DeleteUnseen4096AllSeen)->Unit(benchmark::kMillisecond);

void BM_FindNearest100k(benchmark::State &state) {
  auto s = std::make_unique<UnrecordedScene>();
  s->setMap(LRMemoryDC(kMap, kMap));
  scatter(*s, 100'000);
  int x = 0;
  for (auto _ : state) {
    x = (x + 977) % kMap;
    benchmark::DoNotOptimize(findNearest(s->document(), *s, {double(x), double(4095 - x), 0}));
  }
}
BENCHMARK(BM_FindNearest100k)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace hs
