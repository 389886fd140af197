// The Targa, PPM and PGM readers, the readers' notices and committing a map.
#include "terrain/HeightField.h"
#include "terrain/HeightFieldRead.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <vector>

namespace hs {

namespace height_field_read {

bool canHold(const QIODevice &in, std::uint64_t needed) {
  if (in.isSequential())
    return true;
  const qint64 left = in.size() - in.pos();
  return left >= 0 && static_cast<std::uint64_t>(left) >= needed;
}

bool sizeAccepted(long long w, long long h) {
  return w > 0 && h > 0 && w <= kMaxMapSide && h <= kMaxMapSide;
}

std::uint32_t levelPixel(std::uint32_t level) {
  const std::uint32_t high = level >> 8;
  return 0xFF000000u | ((level & 255) << 16) | (high << 8) | high;
}

} // namespace height_field_read

using namespace height_field_read;

namespace {

// Reads exactly n bytes unless the input ends first.
bool readFully(QIODevice &in, unsigned char *to, std::size_t n) {
  while (n > 0) {
    const qint64 got = in.read(reinterpret_cast<char *>(to), static_cast<qint64>(n));
    if (got <= 0)
      return false;
    to += got;
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

// Reads the pixel rows in blocks of about 1 MiB and hands each row to paint.
// False when the input ends before the last row.
template <class PaintRow>
bool readRows(QIODevice &in, std::size_t rowSize, int rows, PaintRow paint) {
  const int perBlock = static_cast<int>(std::max<std::size_t>(1, (1u << 20) / rowSize));
  std::vector<unsigned char> block(rowSize * static_cast<std::size_t>(std::min(perBlock, rows)));
  for (int r = 0; r < rows;) {
    const int n = std::min(perBlock, rows - r);
    if (!readFully(in, block.data(), rowSize * static_cast<std::size_t>(n)))
      return false;
    for (int i = 0; i < n; ++i, ++r)
      paint(r, block.data() + rowSize * static_cast<std::size_t>(i));
  }
  return true;
}

// Reads the h rows of w pixels, bytesPerPixel bytes each, that follow a
// header into a new image; toPixels turns one row of bytes into its pixels.
// image changes only on Loaded.
// Rows come top-down unless bottomUp.
template <class ToPixels>
int readPixelRows(QIODevice &in, long long w, long long h, std::size_t bytesPerPixel,
                  LRMemoryDC &image, ToPixels toPixels, bool bottomUp = false) {
  const std::size_t rowSize = bytesPerPixel * static_cast<std::size_t>(w);
  if (!canHold(in, rowSize * static_cast<std::uint64_t>(h)))
    return ShortData;
  LRMemoryDC base(static_cast<int>(w), static_cast<int>(h));
  if (base.isNull())
    return Incompatible;
  if (!readRows(in, rowSize, static_cast<int>(h), [&](int r, const unsigned char *b) {
        toPixels(base.rowPixels(bottomUp ? static_cast<int>(h) - 1 - r : r), b);
      }))
    return ShortData;
  image = std::move(base);
  return Loaded;
}
bool targaHeaderAccepted(const std::array<unsigned char, 18> &h) {
  static constexpr unsigned char kFixed[12] = {0, 1, 1, 0, 0, 0x00, 0x01, 24, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i)
    if (h[static_cast<std::size_t>(i)] != kFixed[i])
      return false;
  return h[16] == 8 && h[17] == 32;
}

// The level of a true-colour Targa pixel of n bytes at b, as POV-Ray reads it.
std::uint32_t trueColourLevel(const unsigned char *b, std::size_t n) {
  if (n >= 3)
    return std::uint32_t{b[2]} << 8 | b[1];
  const std::uint32_t v = b[0] | std::uint32_t{b[1]} << 8;
  return ((v >> 10 & 31) << 11) | ((v >> 5 & 31) << 3);
}

// The run-length rows of a true-colour Targa, n bytes a pixel, into base; a
// packet may not cross a row's end.
int readTargaPackets(QIODevice &in, LRMemoryDC &base, std::size_t n, bool bottomUp) {
  const int w = base.width();
  const int h = base.height();
  std::vector<unsigned char> bytes(128 * n);
  for (int r = 0; r < h; ++r) {
    std::uint32_t *row = base.rowPixels(bottomUp ? h - 1 - r : r);
    for (int k = 0; k < w;) {
      unsigned char head = 0;
      if (!readFully(in, &head, 1))
        return ShortData;
      const int count = (head & 127) + 1;
      if (count > w - k)
        return Incompatible;
      const bool run = (head & 128) != 0;
      if (!readFully(in, bytes.data(), run ? n : n * static_cast<std::size_t>(count)))
        return ShortData;
      for (int i = 0; i < count; ++i, ++k)
        row[k] = levelPixel(
            trueColourLevel(bytes.data() + (run ? 0 : n * static_cast<std::size_t>(i)), n));
    }
  }
  return Loaded;
}

// fscanf-like fields of a PPM header: blanks are skipped before each. -1 at
// the end of the input.
int next(QIODevice &in) {
  char c;
  return in.getChar(&c) ? static_cast<unsigned char>(c) : -1;
}

int skipSpace(QIODevice &in) {
  int c = next(in);
  while (std::isspace(c))
    c = next(in);
  return c;
}

bool readMagic(QIODevice &in) {
  int c = skipSpace(in);
  char token[3] = {};
  int n = 0;
  while (c != -1 && !std::isspace(c)) {
    if (n == 2)
      return false; // longer than "P6"
    token[n++] = static_cast<char>(c);
    c = next(in);
  }
  return n == 2 && token[0] == 'P' && token[1] == '6';
}

// A decimal integer with an optional sign. The byte after its last digit is
// pushed back: for the maximum value it is the first data byte.
bool readInt(QIODevice &in, long long &out) {
  int c = skipSpace(in);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = next(in);
  }
  long long v = 0;
  int digits = 0;
  while (c >= '0' && c <= '9') {
    if (v < 1'000'000'000'000LL) // saturates; any such size is refused anyway
      v = v * 10 + (c - '0');
    ++digits;
    c = next(in);
  }
  if (c != -1)
    in.ungetChar(static_cast<char>(c));
  if (digits == 0)
    return false;
  out = negative ? -v : v;
  return true;
}

// A Netpbm header number: blanks and comments (from '#' to the end of the
// line) are skipped before it. The byte after its digits must be a blank or,
// except after the last field, the start of a comment; the blank after the
// last field is taken, so the data follows.
bool readNetpbmNumber(QIODevice &in, long long &out, bool last) {
  int c = next(in);
  while (std::isspace(c) || c == '#') {
    if (c == '#')
      while (c != -1 && c != '\n' && c != '\r')
        c = next(in);
    else
      c = next(in);
  }
  long long v = 0;
  int digits = 0;
  for (; c >= '0' && c <= '9'; c = next(in), ++digits)
    v = std::min(v * 10 + (c - '0'), 1'000'000'000'000LL); // any such value is refused anyway
  if (digits == 0 || !(std::isspace(c) || (c == '#' && !last)))
    return false;
  if (c == '#')
    in.ungetChar('#');
  out = v;
  return true;
}

} // namespace

const char *heightFieldMessage(int result) {
  switch (result) {
  case CannotOpen:
    return kHfCannotOpen;
  case Incompatible:
    return kHfIncompatible;
  case ShortData:
    return kHfShortData;
  case WrongFileType:
    return kHfWrongType;
  default:
    return nullptr;
  }
}

const char *firstLoadMessage(int result) {
  if (result == WrongFileType)
    return "   First Load\n WRONG  FILE TYPE!!\n\nTGA & PPM types only !!";
  return heightFieldMessage(result);
}

int readTarga(QIODevice &in, const Palette &pal, LRMemoryDC &image) {
  std::array<unsigned char, 18> header;
  if (!readFully(in, header.data(), header.size()) || !targaHeaderAccepted(header))
    return Incompatible;
  const int w = header[12] | (header[13] << 8);
  const int h = header[14] | (header[15] << 8);
  if (!sizeAccepted(w, h))
    return Incompatible;
  // The file's own colour map is skipped; only pal decides the colours.
  const std::uint64_t needed = 768 + static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
  if (!canHold(in, needed))
    return ShortData;
  LRMemoryDC base(w, h);
  if (base.isNull())
    return Incompatible;
  std::array<unsigned char, 768> colourMap;
  if (!readFully(in, colourMap.data(), colourMap.size()))
    return ShortData;
  std::array<std::uint32_t, 256> lut;
  for (std::size_t i = 0; i < lut.size(); ++i)
    lut[i] = toQtPixel(pal[i]);
  const bool complete =
      readRows(in, static_cast<std::size_t>(w), h, [&](int r, const unsigned char *b) {
        std::uint32_t *row = base.rowPixels(r);
        for (int k = 0; k < w; ++k)
          row[k] = lut[b[k]];
      });
  if (!complete)
    return ShortData;
  image = std::move(base);
  return Loaded;
}

int readTrueColourTarga(QIODevice &in, LRMemoryDC &image) {
  std::array<unsigned char, 18> header;
  if (!readFully(in, header.data(), header.size()))
    return Incompatible;
  const bool runLength = header[2] == 10;
  const int bits = header[16];
  const int w = header[12] | (header[13] << 8);
  const int h = header[14] | (header[15] << 8);
  if ((header[2] != 2 && !runLength) || header[1] > 1 || (header[5] | header[6]) != 0 ||
      (bits != 15 && bits != 16 && bits != 24 && bits != 32) || !sizeAccepted(w, h))
    return Incompatible;
  std::vector<unsigned char> id(header[0]);
  if (!readFully(in, id.data(), id.size()))
    return ShortData;
  const std::size_t n = static_cast<std::size_t>(bits + 7) / 8;
  const bool bottomUp = (header[17] & 0x20) == 0;
  if (!runLength)
    return readPixelRows(
        in, w, h, n, image,
        [w, n](std::uint32_t *row, const unsigned char *b) {
          for (int k = 0; k < w; ++k, b += n)
            row[k] = levelPixel(trueColourLevel(b, n));
        },
        bottomUp);
  // The fewest bytes rows of runs of 128 take: a tiny file claiming a huge
  // size is short before any image is made.
  const std::uint64_t packets =
      static_cast<std::uint64_t>((w + 127) / 128) * static_cast<std::uint64_t>(h);
  if (!canHold(in, packets * (n + 1)))
    return ShortData;
  LRMemoryDC base(w, h);
  if (base.isNull())
    return Incompatible;
  const int result = readTargaPackets(in, base, n, bottomUp);
  if (result == Loaded)
    image = std::move(base);
  return result;
}

int readPpm(QIODevice &in, LRMemoryDC &image) {
  long long w = 0;
  long long h = 0;
  long long maxValue = 0;
  if (!readMagic(in) || !readInt(in, w) || !readInt(in, h) || !readInt(in, maxValue) ||
      maxValue != 255 || !sizeAccepted(w, h))
    return Incompatible;
  return readPixelRows(in, w, h, 3, image, [w](std::uint32_t *row, const unsigned char *b) {
    // Stored pixels are 0xFFRRGGBB: red t2, green t1, blue t0.
    for (long long k = 0; k < w; ++k, b += 3)
      row[k] = 0xFF000000u | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[1]} << 8) | b[0];
  });
}

int readPgm(QIODevice &in, LRMemoryDC &image) {
  char magic[2] = {};
  long long w = 0;
  long long h = 0;
  long long maxValue = 0;
  if (in.read(magic, 2) != 2 || magic[0] != 'P' || magic[1] != '5' ||
      !readNetpbmNumber(in, w, false) || !readNetpbmNumber(in, h, false) ||
      !readNetpbmNumber(in, maxValue, true) || (maxValue != 255 && maxValue != 65535) ||
      !sizeAccepted(w, h))
    return Incompatible;
  const bool wide = maxValue == 65535;
  return readPixelRows(
      in, w, h, wide ? 2 : 1, image, [w, wide](std::uint32_t *row, const unsigned char *b) {
        for (long long k = 0; k < w; ++k)
          row[k] = levelPixel(wide ? std::uint32_t{b[2 * k]} << 8 | b[2 * k + 1] : b[k] * 257u);
      });
}

void commitHeightField(Document &document, LRMemoryDC &&image) {
  document.setMap(std::move(image));
}

} // namespace hs
