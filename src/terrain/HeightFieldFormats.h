#pragma once

#include "terrain/HeightField.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

class QIODevice;

namespace hs {

// What the program knows of one height-field file format. Adding a format
// takes its reader, a HeightFieldType, a row of kHeightFieldFormats and its
// tests; the loader, the chooser, drops and the bit depth follow the table,
// and a test holds the preview scene's type switch to it.
struct HeightFieldFormat {
  HeightFieldType type;
  const char *name;
  // A name ending in one of these, in any case, is of this format ("" unused).
  std::array<std::string_view, 2> endings;
  const char *filter; // the chooser's pattern
  // The first bytes of every file of this format; empty for the Targas, as
  // one of which a file of no other signature is read (by its image type).
  std::string_view signature;
  int bits; // of a height: 8 on a colour-mapped map, 16 otherwise
  const char *povKeyword;
  int (*read)(QIODevice &in, const Palette &pal, LRMemoryDC &image);
};

// A reader that takes no palette, in the shape of a row's reader.
template <int (*Read)(QIODevice &, LRMemoryDC &)>
int withoutPalette(QIODevice &in, const Palette & /*pal*/, LRMemoryDC &image) {
  return Read(in, image);
}

// One row per HeightFieldType, in order.
inline constexpr std::array<HeightFieldFormat, HeightFieldTypeCount> kHeightFieldFormats = {{
    {TargaMap, "Targa", {".tga"}, "*.tga", "", 8, "tga", readTarga},
    {PpmMap, "PPM", {".ppm"}, "*.ppm", "P6", 16, "ppm", withoutPalette<readPpm>},
    {PngMap, "PNG", {".png"}, "*.png", "\x89PNG\r\n\x1a\n", 16, "png", withoutPalette<readPng>},
    {PgmMap, "PGM", {".pgm"}, "*.pgm", "P5", 16, "pgm", withoutPalette<readPgm>},
    {TrueColourTargaMap,
     "True-colour Targa",
     {".tga"},
     "*.tga",
     "",
     16,
     "tga",
     withoutPalette<readTrueColourTarga>},
}};

// The row of type, or nullptr when type names no format.
constexpr const HeightFieldFormat *heightFieldFormat(int type) {
  return type >= 0 && type < HeightFieldTypeCount
             ? &kHeightFieldFormats[static_cast<std::size_t>(type)]
             : nullptr;
}

// Whether heights of a map of type are 16-bit. A type of no format (from a
// hand-edited place data file) counts as 16-bit, as it always has: the place
// data file's results and the samplers depend on it.
constexpr bool is16Bit(int type) {
  const HeightFieldFormat *format = heightFieldFormat(type);
  return format == nullptr || format->bits == 16;
}

// The height-field chooser's patterns: every format's at once ("Height fields
// (*.tga *.ppm ...)"), then each format's (a shared one once), then "*".
std::span<const char *const> heightFieldFilters();

// The type whose ending name has, in any case (TargaMap for ".tga", whose
// kind only the file's header tells); -1 for none.
int heightFieldTypeOfEnding(std::string_view name);

// Whether a dropped file is a height field: by its ending or by a format's
// signature in its first bytes (a place data file is text and has neither).
bool looksLikeHeightField(const std::string &name);

} // namespace hs
