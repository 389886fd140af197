#include "io/PlaceData.h"
#include "io/PovInclude.h"
#include "terrain/Height.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace hs {
namespace {

constexpr int kObjects = 1'000'000;

// One million objects over the sixteen types, on a 400 x 400 map.
struct BigScene {
  Document doc{Document::Recording::Off};
  BigScene() {
    std::mt19937 gen(17);
    std::uniform_real_distribution<double> pos(0, 400), h(0, 255), off(-2, 5);
    for (int i = 0; i < kObjects; ++i)
      doc.append(static_cast<std::size_t>(i % 16), pos(gen), h(gen), pos(gen),
                 static_cast<int>(gen() % 3), off(gen));
    doc.setHfFileName("/home/someone/terrain/Intro.tga");
  }
};

struct BigWorld {
  Document doc{Document::Recording::Off};
};

BigScene &bigScene() {
  static BigScene s;
  return s;
}

// The three million numbers the include file's arrays hold.
std::vector<double> povNumbers() {
  BigScene &b = bigScene();
  const float camY = static_cast<float>(toPov(b.doc, b.doc.camera(), 0.0f).y);
  std::vector<double> v;
  v.reserve(3 * kObjects);
  for (const ScData &list : b.doc.objects())
    for (const ScItem &item : list) {
      const PovPoint p = toPov(b.doc, item, camY);
      v.insert(v.end(), {p.x, p.y, p.z});
    }
  return v;
}

void BM_SnprintfFloats3M(benchmark::State &state) {
  const std::vector<double> numbers = povNumbers();
  std::vector<char> buffer(64 * numbers.size());
  for (auto _ : state) {
    char *p = buffer.data();
    for (double d : numbers)
      p += std::snprintf(p, 64, "%f", d);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_SnprintfFloats3M)->Unit(benchmark::kMillisecond);

void BM_WritePovInclude1M(benchmark::State &state) {
  BigScene &b = bigScene();
  for (auto _ : state) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    benchmark::DoNotOptimize(writePovInclude(b.doc, out));
  }
}
BENCHMARK(BM_WritePovInclude1M)->Unit(benchmark::kMillisecond);

// The same through a real file, temporary file and rename included.
void BM_WritePovIncludeFile1M(benchmark::State &state) {
  BigScene &b = bigScene();
  QTemporaryDir dir;
  const std::string name = dir.filePath(QStringLiteral("big.inc")).toStdString();
  for (auto _ : state)
    benchmark::DoNotOptimize(PovIncludeExporter().write(b.doc, name));
}
BENCHMARK(BM_WritePovIncludeFile1M)->Unit(benchmark::kMillisecond);

struct BigDataFile {
  QTemporaryDir dir;
  std::string name = dir.filePath(QStringLiteral("big.txt")).toStdString();
  std::string objectLines; // the object lines alone, for the baseline
  BigDataFile() {
    BigScene &b = bigScene();
    PlaceDataExporter().write(b.doc, name);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    savePlaceData(b.doc, buffer);
    const std::string text = buffer.data().toStdString();
    std::size_t pos = 0;
    for (int line = 0; pos < text.size(); ++line) {
      const std::size_t end = text.find('\n', pos) + 1;
      const std::string_view l(text.data() + pos, end - pos);
      if (line >= 5 && l.find(" type number") == std::string_view::npos)
        objectLines.append(l);
      pos = end;
    }
  }
};

BigDataFile &bigDataFile() {
  static BigDataFile f;
  return f;
}

// strtof and strtol over the same five million numbers: the floor for reading.
void BM_ParseNumbers1M(benchmark::State &state) {
  const std::string &text = bigDataFile().objectLines;
  for (auto _ : state) {
    double sum = 0;
    long count = 0;
    const char *p = text.c_str();
    while (*p) {
      char *end;
      sum += std::strtof(p, &end);
      sum += std::strtof(end + 1, &end);
      sum += std::strtof(end + 1, &end);
      sum += static_cast<double>(std::strtol(end + 1, &end, 0));
      sum += std::strtof(end + 1, &end);
      p = end + 1; // past the line end
      ++count;
    }
    benchmark::DoNotOptimize(sum);
    if (count != kObjects)
      state.SkipWithError("unexpected line count");
  }
}
BENCHMARK(BM_ParseNumbers1M)->Unit(benchmark::kMillisecond);

// Opening the file, reading every line, parsing and appending to the lists.
void BM_LoadPlaceData1M(benchmark::State &state) {
  const std::string &name = bigDataFile().name;
  for (auto _ : state) {
    state.PauseTiming();
    auto world = std::make_unique<BigWorld>();
    state.ResumeTiming();
    if (loadPlaceData(world->doc, name) != 0)
      state.SkipWithError("load failed");
    state.PauseTiming();
    world.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadPlaceData1M)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hs
