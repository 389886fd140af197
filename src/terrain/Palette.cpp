#include "terrain/Palette.h"

#include "core/InputFile.h"
#include "core/LineReader.h"
#include "core/ScanLine.h"

#include <algorithm>
#include <cstdint>

namespace hs {

namespace {

struct Segment {
  int r0, g0, r1, g1;
};

// Entries 0..223: fourteen ramps of 16 entries each.
constexpr Segment kSegments[14] = {
    {0, 0, 0, 0},         {74, 28, 129, 83},    {129, 83, 201, 155}, {129, 83, 246, 200},
    {249, 203, 255, 255}, {8, 50, 8, 147},      {8, 147, 8, 221},    {8, 221, 8, 255},
    {88, 40, 166, 40},    {166, 40, 228, 40},   {228, 40, 255, 40},  {104, 104, 121, 121},
    {121, 121, 139, 139}, {139, 139, 210, 210},
};

Palette makeDefault() {
  Palette p{};
  for (int s = 0; s < 14; ++s) {
    const Segment &seg = kSegments[s];
    for (int k = 0; k < 16; ++k) {
      const int i = s * 16 + k;
      // Every ramp rises or stays level, so integer division is the floor.
      const int r = seg.r0 + k * (seg.r1 - seg.r0) / 15;
      const int g = seg.g0 + k * (seg.g1 - seg.g0) / 15;
      p[static_cast<std::size_t>(i)] = vColor(r, g, i).value();
    }
  }
  for (int i = 224; i <= 240; ++i)
    p[static_cast<std::size_t>(i)] = vColor(i, i, i).value();
  for (int i = 241; i <= 255; ++i)
    p[static_cast<std::size_t>(i)] = vColor(239, 239, 255).value();
  return p;
}

} // namespace

const Palette &defaultPalette() {
  static const Palette p = makeDefault();
  return p;
}

Palette &palette() {
  static Palette p = defaultPalette();
  return p;
}

const char *paletteMessage(int result) {
  switch (result) {
  case PaletteOpenError:
    return kPaletteOpenError;
  case PaletteBodyError:
    return kPaletteBodyError;
  default:
    return nullptr;
  }
}

bool parsePaletteLine(std::string_view line, ColourValue &out) {
  Scanned v[3];
  if (scanLine(line, LineFormat::Ints3, v) < 3)
    return false;
  // Only the low 8 bits of each number count.
  out = vColor(v[0].i & 0xFF, v[1].i & 0xFF, v[2].i & 0xFF).value();
  return true;
}

int readPalette(QIODevice &in, Palette &out) {
  LineReader reader(in);
  Palette next;
  std::string_view line;
  for (ColourValue &colour : next)
    if (reader.next(line) != LineReader::Line || !parsePaletteLine(line, colour))
      return PaletteBodyError; // the palette in use stays whole
  out = next;
  return PaletteLoaded;
}

int loadPalette(Palette &out, const std::string &path) {
  QFile file;
  if (!openInputFile(path, file))
    return PaletteOpenError;
  return readPalette(file, out);
}

void applyPalette(Document &document, const Palette &pal) {
  // Stored pixels are 0xFFRRGGBB, so the index is the low byte.
  std::array<std::uint32_t, 256> lut;
  for (std::size_t i = 0; i < lut.size(); ++i)
    lut[i] = toQtPixel(pal[i]);
  const int w = std::min(document.mapWidth(), document.baseImage().width());
  const int h = std::min(document.mapHeight(), document.baseImage().height());
  document.recolour([&](LRMemoryDC &img) {
    for (int y = 0; y < h; ++y) {
      std::uint32_t *row = img.rowPixels(y);
      for (int x = 0; x < w; ++x)
        row[x] = lut[row[x] & 0xFFu];
    }
  });
}

void commitPalette(Document &document, Palette &pal, const Palette &read) {
  pal = read;
  applyPalette(document, pal);
}

} // namespace hs
