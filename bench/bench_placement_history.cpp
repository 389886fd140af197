// Undo and redo of a million-object box fill, without the redraw: a step
// moves the list's storage, it does not copy it.
#include "Baselines.h"
#include "placement/Fill.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace hs {
namespace {

void BM_UndoRedoFill1M(benchmark::State &state) {
  constexpr int kMap = 4096;
  auto s = std::make_unique<Scene>();
  LRMemoryDC map(kMap, kMap);
  map.clear();
  s->document().setMap(std::move(map));
  s->viewImage = LRMemoryDC(kMap, kMap);
  ProgramValues values;
  values.fillCount = 1'000; // a box fill places count x count objects
  {
    const HistoryStep step(s->document(), "Box Fill");
    fillBox(s->document(), values, {10, 10}, {4000, 4000});
  }
  if (s->document().objects()[0].count() != 1'000'000) {
    state.SkipWithError("the fill did not place a million objects");
    return;
  }
  state.counters["objects"] = static_cast<double>(s->document().objects()[0].count());
  for (auto _ : state) {
    s->document().stepHistory(false);
    s->document().stepHistory(true);
    benchmark::DoNotOptimize(s->document().objects()[0].count());
  }
}
BENCHMARK(BM_UndoRedoFill1M)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
