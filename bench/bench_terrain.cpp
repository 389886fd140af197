#include "Baselines.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace hs {
namespace {

constexpr int kSide = 4096;

// The 4096 x 4096 files, written once into a temporary folder and removed at
// exit. Random bytes, so nothing compresses or repeats conveniently.
class BigFiles {
public:
  BigFiles() {
    char tmpl[] = "/tmp/hs_bench_XXXXXX";
    dir = mkdtemp(tmpl);
    std::mt19937 gen(3);
    std::vector<unsigned char> data(static_cast<std::size_t>(kSide) * kSide * 3);
    for (auto &b : data)
      b = static_cast<unsigned char>(gen());
    ppm = dir + "/big.ppm";
    const std::string header = "P6\n4096 4096\n255\n";
    write(ppm, header, data.data(), data.size());
    targa = dir + "/big.tga";
    std::string t = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0, 0, 16, 0, 16, 8, 32};
    t.resize(18 + 768, '\x40');
    write(targa, t, data.data(), static_cast<std::size_t>(kSide) * kSide);
    // A 16-bit terrain: long slopes with a little noise, as generators make them.
    QImage grey(kSide, kSide, QImage::Format_Grayscale16);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x)
        reinterpret_cast<quint16 *>(grey.scanLine(y))[x] = static_cast<quint16>(
            32768 + 16000 * std::sin(x / 300.0) * std::cos(y / 470.0) + (gen() & 63));
    png16 = dir + "/big16.png";
    if (!grey.save(QString::fromStdString(png16), "PNG"))
      std::abort();
  }
  ~BigFiles() { std::filesystem::remove_all(dir); }

  std::string dir, ppm, targa, png16;

private:
  static void write(const std::string &path, const std::string &head, const unsigned char *data,
                    std::size_t n) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
      std::abort();
    std::fwrite(head.data(), 1, head.size(), f);
    std::fwrite(data, 1, n, f);
    std::fclose(f);
  }
};

const BigFiles &files() {
  static const BigFiles f;
  return f;
}

LRMemoryDC noiseImage(int size) {
  LRMemoryDC dc(size, size);
  std::mt19937 gen(7);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      dc.rowPixels(y)[x] = 0xFF000000u | (gen() & 0xFFFFFFu);
  return dc;
}

// The floor for a load: the PPM file read into memory plus one copy of a
// 4096 x 4096 image.
void BM_ReadFileAndCopy4096(benchmark::State &state) {
  const std::string path = files().ppm;
  const LRMemoryDC src = noiseImage(kSide);
  LRMemoryDC dst(kSide, kSide);
  std::vector<unsigned char> buffer(std::filesystem::file_size(path));
  for (auto _ : state) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
    std::fclose(f);
    dst.copyFrom(src);
    benchmark::DoNotOptimize(n);
    benchmark::DoNotOptimize(dst.rowPixels(0));
  }
}
BENCHMARK(BM_ReadFileAndCopy4096)->Unit(benchmark::kMillisecond);

void BM_LoadPpm4096(benchmark::State &state) {
  const std::string path = files().ppm;
  UnrecordedScene scene;
  for (auto _ : state) {
    if (loadHeightField(scene, path, PpmMap, defaultPalette()) != Loaded)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(scene.document().baseImage().rowPixels(0));
  }
}
BENCHMARK(BM_LoadPpm4096)->Unit(benchmark::kMillisecond);

void BM_LoadTarga4096(benchmark::State &state) {
  const std::string path = files().targa;
  UnrecordedScene scene;
  for (auto _ : state) {
    if (loadHeightField(scene, path, TargaMap, defaultPalette()) != Loaded)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(scene.document().baseImage().rowPixels(0));
  }
}
BENCHMARK(BM_LoadTarga4096)->Unit(benchmark::kMillisecond);

// The baseline for a PNG load: Qt's own decoding of the file.
void BM_QImageLoadPng16_4096(benchmark::State &state) {
  const QString path = QString::fromStdString(files().png16);
  for (auto _ : state) {
    QImage image;
    if (!image.load(path))
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_QImageLoadPng16_4096)->Unit(benchmark::kMillisecond);

// Decoding and storing into baseImage's form, no colouring.
void BM_LoadPng16_4096(benchmark::State &state) {
  const std::string path = files().png16;
  for (auto _ : state) {
    LRMemoryDC image;
    if (readHeightFieldFile(path, PngMap, defaultPalette(), image) != Loaded)
      state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.rowPixels(0));
  }
}
BENCHMARK(BM_LoadPng16_4096)->Unit(benchmark::kMillisecond);

// The floor for the recolouring, as BM_CoreImageCopy4096.
void BM_TerrainImageCopy4096(benchmark::State &state) { imageCopy(state, noiseImage(kSide)); }
BENCHMARK(BM_TerrainImageCopy4096)->Unit(benchmark::kMillisecond);

void BM_ApplyPalette4096(benchmark::State &state) {
  UnrecordedScene scene;
  scene.document().setMap(noiseImage(kSide));
  Palette grey;
  for (int i = 0; i < 256; ++i)
    grey[static_cast<std::size_t>(i)] = vColor(i, i, i).value();
  for (auto _ : state) {
    applyPalette(scene.document(), grey);
    benchmark::DoNotOptimize(scene.document().baseImage().rowPixels(0));
  }
}
BENCHMARK(BM_ApplyPalette4096)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
