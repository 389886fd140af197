// The 3D view under Xvfb (llvmpipe), 800 x 600: frames of a 4096 x 4096 map
// while the view orbits and at rest, with 100,000 and 1,000,000 objects, and
// one placement reaching the view, each next to its baseline. Frames count in
// real time: llvmpipe draws on threads of its own.
#include "Baselines.h"
#include "terrain/HeightField.h"
#include "terrain/Palette.h"
#include "view3d/OffscreenRenderer.h"
#include "view3d/SceneModel.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <string>

namespace hs {
namespace {

constexpr int kSide = 4096;
constexpr long long kAll = std::numeric_limits<long long>::max();
const QSize kFrame(800, 600);

// A 16-bit terrain of long slopes with a little noise, as generators make
// them, in a temporary folder removed at exit.
class Terrain {
public:
  Terrain() {
    char tmpl[] = "/tmp/hs_bench3d_XXXXXX";
    dir = mkdtemp(tmpl);
    std::mt19937 gen(3);
    QImage grey(kSide, kSide, QImage::Format_Grayscale16);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x)
        reinterpret_cast<quint16 *>(grey.scanLine(y))[x] = static_cast<quint16>(
            32768 + 16000 * std::sin(x / 300.0) * std::cos(y / 470.0) + (gen() & 63));
    png16 = dir + "/big16.png";
    if (!grey.save(QString::fromStdString(png16), "PNG"))
      std::abort();
  }
  ~Terrain() { std::filesystem::remove_all(dir); }
  std::string dir, png16;
};

const Terrain &terrain() {
  static const Terrain t;
  return t;
}

} // namespace

// Made once, and freed in main while the application still stands.
std::unique_ptr<view3d::OffscreenRenderer> theRenderer;

namespace {

view3d::OffscreenRenderer *renderer(benchmark::State &state) {
  if (!theRenderer) {
    QString why;
    theRenderer = view3d::OffscreenRenderer::create(&why);
  }
  if (!theRenderer)
    state.SkipWithError("no OpenGL context (run under Xvfb)");
  return theRenderer.get();
}

// The map with objects objects of every type spread over it at random,
// looked at from its middle.
std::unique_ptr<Document> scene(int objects) {
  auto d = std::make_unique<Document>(Document::Recording::Off);
  LRMemoryDC image;
  if (readHeightFieldFile(terrain().png16, PngMap, defaultPalette(), image) != Loaded)
    std::abort();
  d->setHfType(PngMap);
  d->setMap(std::move(image));
  d->setScale(1000.0f, 150.0f, 1000.0f);
  d->setLookAt({kSide / 2.0, 32768, kSide / 2.0, AboveGround, 0});
  d->setCamera({kSide * 0.1, 32768, kSide * 0.9, AboveGround, 100});
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> at(0.0, kSide - 1.0);
  for (int i = 0; i < objects; ++i)
    d->append(i % kObjectTypes, ScItem{at(gen), 32768, at(gen), AboveGround, 0});
  return d;
}

// Frames of a view orbiting the map's middle, three degrees a frame.
void orbitFrames(benchmark::State &state, int objects, bool moving, bool withObjects) {
  view3d::OffscreenRenderer *r = renderer(state);
  if (r == nullptr)
    return;
  const auto d = scene(objects);
  view3d::SceneModel model(*d);
  model.update(kAll, nullptr);
  view3d::DrawOptions options;
  options.objects = withObjects;
  options.moving = moving;
  view3d::Orbit orbit{0.0, 25.0, 700.0};
  r->draw(model, view3d::orbitCamera(*d, orbit), kFrame, options); // the samples uploaded
  long long triangles = 0, drawn = 0, shapes = 0;
  for (auto _ : state) {
    orbit.yaw += 3.0;
    const QImage frame = r->draw(model, view3d::orbitCamera(*d, orbit), kFrame, options);
    benchmark::DoNotOptimize(frame.constBits());
    triangles += r->stats().terrainTriangles;
    drawn += r->stats().shapes + r->stats().points;
    shapes += r->stats().shapes;
  }
  state.counters["triangles"] =
      benchmark::Counter(double(triangles), benchmark::Counter::kAvgIterations);
  state.counters["objects"] = benchmark::Counter(double(drawn), benchmark::Counter::kAvgIterations);
  state.counters["shapes"] = benchmark::Counter(double(shapes), benchmark::Counter::kAvgIterations);
}

void BM_View3dVectorPushBack1M(benchmark::State &state) { vectorPushBack1M(state); }
BENCHMARK(BM_View3dVectorPushBack1M)->Unit(benchmark::kMillisecond);

void BM_View3dLoadPng16_4096(benchmark::State &state) {
  const std::string path = terrain().png16;
  for (auto _ : state) {
    LRMemoryDC image;
    if (readHeightFieldFile(path, PngMap, defaultPalette(), image) != Loaded)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.rowPixels(0));
  }
}
BENCHMARK(BM_View3dLoadPng16_4096)->Unit(benchmark::kMillisecond);

// From a loaded document to its first picture at rest: the model read, the
// samples uploaded, the frame drawn.
void BM_View3dFirstFrame4096(benchmark::State &state) {
  view3d::OffscreenRenderer *r = renderer(state);
  if (r == nullptr)
    return;
  const auto d = scene(100'000);
  for (auto _ : state) {
    view3d::SceneModel model(*d);
    model.update(kAll, nullptr);
    const QImage frame = r->draw(model, view3d::sceneCamera(*d), kFrame, {});
    benchmark::DoNotOptimize(frame.constBits());
  }
}
BENCHMARK(BM_View3dFirstFrame4096)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_View3dTerrainFrame(benchmark::State &state) { orbitFrames(state, 0, true, false); }
BENCHMARK(BM_View3dTerrainFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_View3dOrbitFrame100k(benchmark::State &state) { orbitFrames(state, 100'000, true, true); }
BENCHMARK(BM_View3dOrbitFrame100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_View3dOrbitFrame1M(benchmark::State &state) { orbitFrames(state, 1'000'000, true, true); }
BENCHMARK(BM_View3dOrbitFrame1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_View3dRefinedFrame100k(benchmark::State &state) {
  orbitFrames(state, 100'000, false, true);
}
BENCHMARK(BM_View3dRefinedFrame100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// One placement among 100,000 objects reaching the view's instances.
void BM_View3dAppendOne(benchmark::State &state) {
  const auto d = scene(100'000);
  view3d::SceneModel model(*d);
  model.update(kAll, nullptr);
  const int listener = d->addListener([&](const DocumentChange &c) { model.hear(c); });
  double x = 0;
  for (auto _ : state) {
    d->append(3, ScItem{x, 32768, 100.0, AboveGround, 0});
    x = x < kSide - 1 ? x + 1 : 0;
  }
  d->removeListener(listener);
  if (!model.objects().complete())
    state.SkipWithError("a placement made the view read a whole list again");
}
BENCHMARK(BM_View3dAppendOne)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace hs

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv); // OpenGL needs it, and a display
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  hs::theRenderer.reset();
  return 0;
}
