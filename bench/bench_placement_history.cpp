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
  s->baseImage = LRMemoryDC(kMap, kMap);
  s->viewImage = LRMemoryDC(kMap, kMap);
  s->baseImage.clear();
  s->setMapSize(kMap, kMap);
  ProgramValues values;
  values.fillCount = 1'000; // a box fill places count x count objects
  s->firstPoint = {10, 10};
  s->lastPoint = {4000, 4000};
  {
    const HistoryStep step("Box Fill", *s, values, s->owner());
    fillBox(*s, values);
  }
  if (s->objects[0].count() != 1'000'000) {
    state.SkipWithError("the fill did not place a million objects");
    return;
  }
  state.counters["objects"] = static_cast<double>(s->objects[0].count());
  for (auto _ : state) {
    s->history.undo(*s, values, s->owner());
    s->history.redo(*s, values, s->owner());
    benchmark::DoNotOptimize(s->objects[0].count());
  }
}
BENCHMARK(BM_UndoRedoFill1M)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
