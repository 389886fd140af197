#pragma once

#include "core/Document.h"
#include "core/LRMemoryDC.h"
#include "core/ProgressInput.h"
#include "terrain/Palette.h"

#include <string>

class QIODevice;

namespace hs {

// Height-field file types, as hfType and hfFileType hold them; each has its
// row in kHeightFieldFormats (terrain/HeightFieldFormats.h).
enum HeightFieldType {
  TargaMap = 0, // colour-mapped
  PpmMap = 1,
  PngMap = 2,
  PgmMap = 3,
  TrueColourTargaMap = 4,
  HeightFieldTypeCount
};

// Results of the height-field readers and of the "Heightfeild" command.
enum LoadResult {
  Loaded = 0,
  CannotOpen = 1,
  Incompatible = 2,
  ShortData = 3,
  WrongFileType = 4, // the name is of no type we read; nothing was read
  LoadCancelled = 5, // the chooser or the read was cancelled; nothing changed, no notice
};

// Largest width or height a reader accepts.
inline constexpr int kMaxMapSide = 16384;

inline constexpr const char *kHfCannotOpen = "Unable to LOAD File !!";
inline constexpr const char *kHfIncompatible = "File Inconpatable!!";
inline constexpr const char *kHfShortData = "ERROR in File Data!!";
inline constexpr const char *kHfWrongType = "WRONG  FILE TYPE!!\n\nTGA & PPM types only !!";
inline constexpr const char *kHfChooserTitle = "Load Hf file";

// The notice for a result, or nullptr when none is shown (Loaded, LoadCancelled).
const char *heightFieldMessage(int result);
// The start-up notice for a result, or nullptr for Loaded. A name of neither
// type says that it was the first load.
const char *firstLoadMessage(int result);

// Reads an 8-bit colour-mapped, uncompressed, top-left-origin Targa and
// paints each index through pal into a new image of the file's size; the
// file's own colour map plays no part. image changes only on Loaded; the
// other results are Incompatible and ShortData.
int readTarga(QIODevice &in, const Palette &pal, LRMemoryDC &image);

// Reads a true-colour Targa (image type 2, or 10 run-length) as POV-Ray 3.7
// reads it as a height field (measured with trace()): red * 256 + green, blue
// and alpha playing no part, stored as readPgm stores a level. 24 and 32 bits
// a pixel take the bytes as they are; 15 and 16 take each 5-bit field shifted
// up by 3, as POV-Ray does. Rows go top-down when the origin bit says so,
// bottom-up otherwise; the right-to-left bit is ignored, as POV-Ray ignores
// it. An ID field is skipped; a colour map of any length, which POV-Ray
// refuses, and a run-length packet that crosses a row's end, which it
// misplaces, are Incompatible. Otherwise as readTarga.
int readTrueColourTarga(QIODevice &in, LRMemoryDC &image);

// Reads a binary "P6" PPM with maximum value 255. The data starts at the byte
// right after the maximum value's last digit, and each byte triple (t0, t1, t2)
// becomes red t2, green t1, blue t0, so that red + 256 * green of a map pixel is
// 256 * R + G of the file's pixel. Otherwise as readTarga.
int readPpm(QIODevice &in, LRMemoryDC &image);

// Reads a binary "P5" PGM (Netpbm's greyscale format) with maximum value 255
// or 65535; blanks and '#' comments may come between the header's fields, and
// one blank ends the maximum value. A 16-bit sample v (big-endian, as Netpbm
// writes it) is stored exactly as red + 256 * green = v, an 8-bit sample b as
// its 16-bit level b * 257; blue is the level's high byte. Any other maximum
// value is Incompatible; otherwise as readTarga.
int readPgm(QIODevice &in, LRMemoryDC &image);

// Reads a PNG of any kind POV-Ray 3.7 reads as a height field: grey, grey
// with alpha, RGB or RGBA with 8 or 16 bits a sample, or colour-mapped (1 to
// 8 bits an index). Samples are stored as readPgm stores them, at the levels
// POV-Ray reads (measured with trace()): a 16-bit grey sample v exactly, with
// alpha or not; an 8-bit grey sample b as b * 257 or, for 84 of them,
// (b - 1) * 257, but with alpha always b * 257; 8-bit colour as red * 256 +
// green (blue and alpha play no part); 16-bit colour as a grey weighting red,
// green and blue 0.297, 0.589 and 0.114, matching POV-Ray level for level; an
// index i as i * 256 (the palette's colours play no part). Other kinds
// (1, 2 and 4-bit grey) are Incompatible, data that does not decode
// ShortData, as is a chunk that runs past the end of the input (found before
// decoding); a sequential input is read whole first, and one over 1 GiB is
// Incompatible. Otherwise as readTarga.
int readPng(QIODevice &in, LRMemoryDC &image);

// Opens path and reads it with the reader of type's format; CannotOpen when it
// cannot be opened (a directory included), WrongFileType, with nothing
// opened, when type names no format. With a progress report the read tells it
// how far it has got and stops when it answers false: LoadCancelled, image
// as it was.
int readHeightFieldFile(const std::string &path, int type, const Palette &pal, LRMemoryDC &image,
                        const ProgressReport &progress = {});

// The type whose signature a file's first bytes hold, else the Targa its image
// type names (TrueColourTargaMap for 2 and 10, else TargaMap); or -1 when it
// cannot be opened or holds fewer than 8 bytes.
int heightFieldTypeOfFile(const std::string &path);

// Makes a read image the scene's map: the previous size is kept in
// prevMapWidth/Height, the map takes the image's size and centre, and the
// image becomes baseImage. hfType, viewImage and the pane are the caller's.
void commitHeightField(Document &document, LRMemoryDC &&image);

} // namespace hs
