#include "terrain/Palette.h"

#include "core/Names.h"
#include "terrain/InputFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>

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

// One "%i" conversion: optional blanks, an optional sign, then decimal, octal
// (leading 0) or hexadecimal (leading 0x). Only the low 8 bits are kept, so
// the value is accumulated modulo 256 and can never overflow.
bool scanInt(const std::string &s, std::size_t &pos, unsigned &out) {
  while (pos < s.size() && std::isspace(static_cast<unsigned char>(s[pos])))
    ++pos;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    negative = s[pos] == '-';
    ++pos;
  }
  unsigned base = 10;
  if (pos < s.size() && s[pos] == '0') {
    base = 8;
    if (pos + 2 < s.size() && (s[pos + 1] == 'x' || s[pos + 1] == 'X') &&
        std::isxdigit(static_cast<unsigned char>(s[pos + 2]))) {
      base = 16;
      pos += 2;
    }
  }
  std::uint32_t value = 0;
  std::size_t digits = 0;
  for (; pos < s.size(); ++pos, ++digits) {
    const int c = static_cast<unsigned char>(s[pos]);
    unsigned d;
    if (c >= '0' && c <= '9')
      d = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = static_cast<unsigned>(c - 'A' + 10);
    else
      break;
    if (d >= base)
      break;
    value = value * base + d; // wraps modulo 2^32, which keeps the low 8 bits right
  }
  if (digits == 0)
    return false;
  out = (negative ? 0u - value : value) & 0xFFu;
  return true;
}

// Reads one line without its line end. Longer lines keep their first 4095
// bytes; the rest is skipped. False at the end of the file.
bool readLine(std::FILE *f, std::string &line) {
  line.clear();
  int c = std::getc(f);
  if (c == EOF)
    return false;
  while (c != EOF && c != '\n') {
    if (line.size() < 4095)
      line.push_back(static_cast<char>(c));
    c = std::getc(f);
  }
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return true;
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

bool parsePaletteLine(const std::string &line, ColourValue &out) {
  std::size_t pos = 0;
  unsigned c[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      // The comma must follow the number directly.
      if (pos >= line.size() || line[pos] != ',')
        return false;
      ++pos;
    }
    if (!scanInt(line, pos, c[i]))
      return false;
  }
  out = vColor(static_cast<int>(c[0]), static_cast<int>(c[1]), static_cast<int>(c[2])).value();
  return true;
}

int loadPalette(Palette &out, const std::string &path) {
  InputFile f = openInputFile(path);
  if (!f)
    return PaletteOpenError;
  Palette next;
  std::string line;
  for (std::size_t i = 0; i < next.size(); ++i) {
    if (!readLine(f.get(), line) || !parsePaletteLine(line, next[i]))
      return PaletteBodyError; // the palette in use stays whole
  }
  out = next;
  return PaletteLoaded;
}

void applyPalette(Scene &scene, const Palette &pal) {
  // Stored pixels are 0xFFRRGGBB, so the index is the low byte.
  std::array<std::uint32_t, 256> lut;
  for (std::size_t i = 0; i < lut.size(); ++i)
    lut[i] = toQtPixel(pal[i]);
  LRMemoryDC &img = scene.baseImage;
  const int w = std::min(scene.mapWidth, img.width());
  const int h = std::min(scene.mapHeight, img.height());
  for (int y = 0; y < h; ++y) {
    std::uint32_t *row = img.rowPixels(y);
    for (int x = 0; x < w; ++x)
      row[x] = lut[row[x] & 0xFFu];
  }
}

int loadAndApplyPalette(Scene &scene, Palette &pal, const std::string &path) {
  const int result = loadPalette(pal, path);
  if (result == PaletteLoaded) {
    applyPalette(scene, pal);
    scene.changed(Change::Map);
  }
  return result;
}

int paletteCommand(Scene &scene, WindowValues &window, Palette &pal,
                   const std::optional<std::string> &chosen) {
  if (!paletteCommandWanted(scene))
    return PaletteCancelled;
  if (!chosen || chosen->empty())
    return PaletteCancelled;
  if (!setName(window.paletteFileName, *chosen))
    return PaletteOpenError; // a name too long to keep cannot be a file we can open
  const int result = loadAndApplyPalette(scene, pal, *chosen);
  if (result == PaletteLoaded) {
    applyPalette(scene, pal);
    scene.changed(Change::Map);
  }
  return result;
}

} // namespace hs
