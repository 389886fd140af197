#pragma once

#include "core/Document.h"
#include "gui/image/vColor.h"

#include <array>
#include <string>
#include <string_view>

class QIODevice;

namespace hs {

// The 256 colours that paint Targa indices. Red and green give the map its
// look; blue carries the height (entry i should have blue i).
using Palette = std::array<ColourValue, 256>;

// The program-wide palette, starting as the built-in one.
Palette &palette();
// The built-in palette: fourteen ramps of 16 entries, a light grey ramp for
// 224..240 and near white for 241..255. Blue equals the index up to 240.
const Palette &defaultPalette();

enum PaletteResult {
  PaletteLoaded = 0,
  PaletteOpenError = 1,
  PaletteBodyError = 2,
  PaletteCancelled = 3,
};

inline constexpr const char *kPaletteOpenError = "open error";
inline constexpr const char *kPaletteBodyError = "Body error";
inline constexpr const char *kPaletteChooserTitle = "Open PALETTE File";

// The notice for a palette result, or nullptr when there is none to show.
const char *paletteMessage(int result);

// Parses a palette: 256 lines of "%i,%i,%i" (scanf's integers: decimal,
// 0 octal, 0x hex), each number kept modulo 256; anything after line 256 is
// not read. All or nothing: out changes only on success. Returns 0, or 2 for
// a bad line (one longer than 4095 bytes included) or fewer than 256 lines.
int readPalette(QIODevice &in, Palette &out);
// Opens path and parses it as above; 1 when it cannot be opened.
int loadPalette(Palette &out, const std::string &path);

// Parses one palette line into a colour; false when it does not start with
// three numbers joined by commas. Exposed for tests.
bool parsePaletteLine(std::string_view line, ColourValue &out);

// Recolours the map: every pixel of baseImage takes the palette colour of the
// index its blue component holds.
void applyPalette(Document &document, const Palette &pal);

// Makes a read palette the one in use (pal) and recolours the map with it.
// Redrawing is the caller's.
void commitPalette(Document &document, Palette &pal, const Palette &read);

} // namespace hs
