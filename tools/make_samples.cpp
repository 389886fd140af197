// Writes the sample terrain, the sample palette and a 16-bit sample height
// field into the folder given as the only argument. Deterministic: the same
// bytes on every run and every machine (integer noise, no library randomness).
#include "terrain/Palette.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The built-in colours, with blue set to the index so that every entry reads
// back its own index as height, as POV-Ray reads a colour-mapped file.
std::array<int, 3> samplePaletteEntry(int i) {
  const hs::vColor c = hs::vColor::fromValue(hs::defaultPalette()[static_cast<std::size_t>(i)]);
  return {c.r(), c.g(), i};
}

// A hash of a lattice point: the same value for the same point everywhere.
double lattice(int x, int y, std::uint32_t seed) {
  std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x8DA6B343u) ^
                    (static_cast<std::uint32_t>(y) * 0xD8163841u);
  h ^= h >> 13;
  h *= 0x85EBCA6Bu;
  h ^= h >> 16;
  h *= 0xC2B2AE35u;
  h ^= h >> 16;
  return (h & 0xFFFFFFu) / double(0xFFFFFF);
}

double smooth(double t) { return t * t * (3 - 2 * t); }

// Value noise: smoothly blended lattice values.
double noise(double x, double y, std::uint32_t seed) {
  const int xi = static_cast<int>(std::floor(x));
  const int yi = static_cast<int>(std::floor(y));
  const double tx = smooth(x - xi);
  const double ty = smooth(y - yi);
  const double a = lattice(xi, yi, seed), b = lattice(xi + 1, yi, seed);
  const double c = lattice(xi, yi + 1, seed), d = lattice(xi + 1, yi + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal sum of octaves, about 0..1.
double fbm(double x, double y, std::uint32_t seed) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int o = 0; o < 6; ++o) {
    sum += amp * noise(x, y, seed + static_cast<std::uint32_t>(o) * 101u);
    norm += amp;
    x *= 2.03;
    y *= 2.03;
    amp *= 0.5;
  }
  return sum / norm;
}

// Height 0..1 at (u, v) in the unit square: rolling hills, a ridge along the
// top, a valley winding down the middle and a lake basin in the lower left.
double terrain(double u, double v) {
  double h = 0.55 * fbm(u * 4, v * 4, 17) + 0.25;
  h += 0.35 * std::exp(-std::pow((v - 0.12) / 0.16, 2)) * fbm(u * 9, v * 9, 5); // ridge
  const double valleyX = 0.55 + 0.12 * std::sin(v * 5.0);
  h -= 0.22 * std::exp(-std::pow((u - valleyX) / 0.08, 2)) * smooth(std::min(1.0, v * 1.5));
  const double lake = std::hypot((u - 0.3) / 0.17, (v - 0.72) / 0.12);
  h -= 0.45 * std::exp(-lake * lake * 1.5);
  return h;
}

// Normalises to 0..1 so that the lowest 6 % of the map sits at 0: a flat lake
// that the water level 0 fills.
std::vector<double> field(int w, int h) {
  std::vector<double> f(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      f[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
          terrain(x / double(w - 1), y / double(h - 1));
  std::vector<double> sorted = f;
  std::sort(sorted.begin(), sorted.end());
  const double lo = sorted[sorted.size() * 6 / 100];
  const double hi = sorted.back();
  for (double &v : f)
    v = std::clamp((v - lo) / (hi - lo), 0.0, 1.0);
  return f;
}

bool writeFile(const std::string &path, const std::vector<unsigned char> &bytes) {
  std::FILE *out = std::fopen(path.c_str(), "wb");
  if (!out)
    return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && ok;
}

std::vector<unsigned char> makeTarga(int w, int h) {
  std::vector<unsigned char> b = {0,
                                  1,
                                  1,
                                  0,
                                  0,
                                  0,
                                  1,
                                  24,
                                  0,
                                  0,
                                  0,
                                  0,
                                  static_cast<unsigned char>(w & 0xFF),
                                  static_cast<unsigned char>(w >> 8),
                                  static_cast<unsigned char>(h & 0xFF),
                                  static_cast<unsigned char>(h >> 8),
                                  8,
                                  32};
  // The colour map holds the sample palette (blue, green, red per entry), so
  // other viewers show the same look; the heights are the indices.
  for (int i = 0; i < 256; ++i) {
    const auto c = samplePaletteEntry(i);
    b.push_back(static_cast<unsigned char>(c[2]));
    b.push_back(static_cast<unsigned char>(c[1]));
    b.push_back(static_cast<unsigned char>(c[0]));
  }
  for (double v : field(w, h))
    b.push_back(static_cast<unsigned char>(std::lround(v * 255)));
  return b;
}

std::vector<unsigned char> makePpm16(int w, int h) {
  const std::string header = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
  std::vector<unsigned char> b(header.begin(), header.end());
  // The height 256 * R + G of each pixel; B carries a copy of the high byte
  // so that ordinary viewers show a grey picture.
  for (double v : field(w, h)) {
    const long height = std::lround(v * 65535);
    b.push_back(static_cast<unsigned char>(height >> 8));
    b.push_back(static_cast<unsigned char>(height & 0xFF));
    b.push_back(static_cast<unsigned char>(height >> 8));
  }
  return b;
}

// A 16-bit greyscale PNG, as terrain generators write them.
bool writePng16(const std::string &path, int w, int h) {
  QImage image(w, h, QImage::Format_Grayscale16);
  const std::vector<double> f = field(w, h);
  for (int y = 0; y < h; ++y) {
    auto *row = reinterpret_cast<quint16 *>(image.scanLine(y));
    for (int x = 0; x < w; ++x)
      row[x] = static_cast<quint16>(std::lround(f[static_cast<std::size_t>(y) * w + x] * 65535));
  }
  return image.save(QString::fromStdString(path), "PNG");
}

std::string makePalette() {
  std::string text;
  for (int i = 0; i < 256; ++i) {
    const auto c = samplePaletteEntry(i);
    text += std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) + "\n";
  }
  return text;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <samples folder>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const std::string pal = makePalette();
  const bool ok = writeFile(dir + "/Intro.tga", makeTarga(400, 400)) &&
                  writeFile(dir + "/Hills16.ppm", makePpm16(512, 512)) &&
                  writePng16(dir + "/Valley16.png", 1024, 768) &&
                  writeFile(dir + "/Std.pal", std::vector<unsigned char>(pal.begin(), pal.end()));
  if (!ok) {
    std::fprintf(stderr, "cannot write the samples into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
