#pragma once

// Baselines the targets are judged against. Each benchmark program registers
// the ones it needs, so a target always runs next to its baseline, under a name
// no other program uses (BM_ImageCopy4096 in bench_view, BM_CoreImageCopy4096
// and BM_TerrainImageCopy4096 elsewhere).

#include "core/Document.h"
#include "core/LRMemoryDC.h"
#include "core/ScItem.h"
#include "core/Scene.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace hs {

// One million records pushed onto a std::vector.
inline void vectorPushBack1M(benchmark::State &state) {
  for (auto _ : state) {
    std::vector<ScItem> v;
    for (int i = 0; i < 1'000'000; ++i)
      v.push_back(ScItem{double(i), 1.0, 2.0, 0, 0.0});
    benchmark::DoNotOptimize(v.data());
  }
}

// One whole-image copy of src.
inline void imageCopy(benchmark::State &state, const LRMemoryDC &src) {
  LRMemoryDC dst(src.width(), src.height());
  for (auto _ : state) {
    dst.copyFrom(src);
    benchmark::DoNotOptimize(dst.rowPixels(0));
  }
}

// A scene over a document that keeps no history, as the tools' documents do.
struct UnrecordedScene : Document, Scene {
  UnrecordedScene() : Document(Recording::Off), Scene(static_cast<Document *>(this)) {}
};

} // namespace hs
