#include "Baselines.h"
#include "placement/Scatter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

namespace hs {
namespace {

constexpr int kSide = 4096;

// A 4096 x 4096 16-bit map of rolling hills with steeper ridges.
std::unique_ptr<UnrecordedScene> hillScene() {
  auto s = std::make_unique<UnrecordedScene>();
  LRMemoryDC map(kSide, kSide);
  for (int z = 0; z < kSide; ++z) {
    std::uint32_t *row = map.rowPixels(z);
    for (int x = 0; x < kSide; ++x) {
      const double h = 32000 + 20000 * std::sin(x * 0.003) * std::cos(z * 0.002) +
                       6000 * std::sin(x * 0.02 + z * 0.015);
      const auto v = static_cast<std::uint32_t>(h);
      row[x] = toQtPixel(vColor(v & 255, v >> 8, 0).value());
    }
  }
  s->setMap(std::move(map));
  s->document().setHfType(1);
  return s;
}

void clearLists(Scene &s) { s.document().killAll(); }

// As many as fit at spacing, inside an altitude band and under a slope limit.
ScatterRules hillRules(double spacing) {
  ScatterRules rules;
  rules.spacing = spacing;
  std::tie(rules.useAltitude, rules.lowest, rules.highest) = std::tuple(true, 1.0, 9.0);
  std::tie(rules.useSlope, rules.maxSlope) = std::tuple(true, 50.0);
  return rules;
}

// Scatters over the whole map once an iteration, on lists that existing (not
// timed) fills first.
void timeScatters(benchmark::State &state, Scene &s, const ScatterRules &rules,
                  const std::vector<ScItem> &existing = {}) {
  const ProgramValues values;
  long long placed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    clearLists(s);
    for (std::size_t i = 0; i < existing.size(); ++i)
      s.document().append(static_cast<int>(i % 4), existing[i]);
    state.ResumeTiming();
    const ScatterPlan plan =
        planScatter(s.document(), values, rules, ScatterRegion::wholeMap(), 10'000'000);
    placed = applyScatter(s.document(), plan).placed;
  }
  state.counters["objects"] = static_cast<double>(placed);
}

// As many as fit, spacing 3, inside an altitude band and under a slope limit:
// about a million objects.
void BM_Scatter1M(benchmark::State &state) {
  auto s = hillScene();
  timeScatters(state, *s, hillRules(3));
}
BENCHMARK(BM_Scatter1M)->Unit(benchmark::kMillisecond);

// The same rules thinned by a 512 x 512 density image of soft blobs.
void BM_ScatterMask1M(benchmark::State &state) {
  auto s = hillScene();
  ScatterRules rules = hillRules(2);
  auto mask = std::make_shared<DensityImage>(DensityImage{512, 512, {}});
  for (int z = 0; z < 512; ++z)
    for (int x = 0; x < 512; ++x)
      mask->values.push_back(
          static_cast<float>(0.33 + 0.33 * std::sin(x * 0.05) * std::cos(z * 0.03)));
  rules.density = mask;
  timeScatters(state, *s, rules);
}
BENCHMARK(BM_ScatterMask1M)->Unit(benchmark::kMillisecond);

// The rules of BM_Scatter1M over four types with footprints 0, 1, 3 and 6 among 100,000
// objects already there.
void BM_ScatterFootprints1M(benchmark::State &state) {
  auto s = hillScene();
  ScatterRules rules = hillRules(3);
  rules.useMix = true;
  const double radii[] = {0, 1, 3, 6};
  for (std::size_t t = 0; t < 4; ++t)
    std::tie(rules.weights[t], rules.radii[t]) = std::tuple(1.0, radii[t]);
  std::mt19937 gen(9);
  std::vector<ScItem> existing(100'000);
  for (ScItem &item : existing)
    item = ScItem{double(gen() % kSide), 0, double(gen() % kSide), AboveGround, 0};
  timeScatters(state, *s, rules, existing);
}
BENCHMARK(BM_ScatterFootprints1M)->Unit(benchmark::kMillisecond);

// A count of 100,000 with spacing 3 over the whole map among a million objects
// of the same type already there.
void BM_ScatterNearExisting(benchmark::State &state) {
  auto s = hillScene();
  ProgramValues values;
  ScatterRules rules;
  std::tie(rules.spacing, rules.count) = std::tuple(3.0, 100'000LL);
  std::mt19937 gen(9);
  std::vector<ScItem> existing(1'000'000);
  for (ScItem &item : existing)
    item = ScItem{double(gen() % kSide), 0, double(gen() % kSide), AboveGround, 0};
  long long placed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    clearLists(*s);
    for (const ScItem &item : existing)
      s->document().append(0, item);
    state.ResumeTiming();
    const ScatterPlan plan =
        planScatter(s->document(), values, rules, ScatterRegion::wholeMap(), 10'000'000);
    placed = applyScatter(s->document(), plan).placed;
  }
  state.counters["objects"] = static_cast<double>(placed);
}
BENCHMARK(BM_ScatterNearExisting)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
