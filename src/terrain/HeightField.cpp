#include "terrain/HeightField.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

namespace hs {

namespace {

// A claimed size the input cannot hold is short data, found before an image
// of that size is made. Pipes and other unsized inputs are simply read.
bool canHold(const QIODevice &in, std::uint64_t needed) {
  if (in.isSequential())
    return true;
  const qint64 left = in.size() - in.pos();
  return left >= 0 && static_cast<std::uint64_t>(left) >= needed;
}

bool sizeAccepted(long long w, long long h) {
  return w > 0 && h > 0 && w <= kMaxMapSide && h <= kMaxMapSide;
}

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
template <class ToPixels>
int readPixelRows(QIODevice &in, long long w, long long h, std::size_t bytesPerPixel,
                  LRMemoryDC &image, ToPixels toPixels) {
  const std::size_t rowSize = bytesPerPixel * static_cast<std::size_t>(w);
  if (!canHold(in, rowSize * static_cast<std::uint64_t>(h)))
    return ShortData;
  LRMemoryDC base(static_cast<int>(w), static_cast<int>(h));
  if (base.isNull())
    return Incompatible;
  if (!readRows(in, rowSize, static_cast<int>(h),
                [&](int r, const unsigned char *b) { toPixels(base.rowPixels(r), b); }))
    return ShortData;
  image = std::move(base);
  return Loaded;
}

// The map pixel of a 16-bit height level: red its low byte, green and blue
// its high one (0xFFRRGGBB).
std::uint32_t levelPixel(std::uint32_t level) {
  const std::uint32_t high = level >> 8;
  return 0xFF000000u | ((level & 255) << 16) | (high << 8) | high;
}

bool targaHeaderAccepted(const std::array<unsigned char, 18> &h) {
  static constexpr unsigned char kFixed[12] = {0, 1, 1, 0, 0, 0x00, 0x01, 24, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i)
    if (h[static_cast<std::size_t>(i)] != kFixed[i])
      return false;
  return h[16] == 8 && h[17] == 32;
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

namespace {

// POV-Ray 3.7 reads an 8-bit greyscale PNG through a gamma round trip that
// lands these 84 samples one level low: b lies at (b - 1) * 257 / 65536, every
// other sample at b * 257 / 65536. Measured with trace(); a gAMA chunk makes
// no difference.
constexpr std::array<unsigned char, 84> kGreyPngOneLevelLow = {
    3,   5,   6,   10,  12,  20,  23,  24,  25,  29,  31,  35,  40,  43,  45,  46,  48,
    50,  51,  53,  55,  58,  61,  62,  70,  75,  80,  85,  86,  90,  92,  95,  96,  100,
    102, 105, 106, 109, 110, 111, 116, 117, 121, 122, 124, 127, 140, 145, 150, 157, 160,
    170, 172, 177, 180, 184, 187, 190, 192, 197, 199, 200, 204, 207, 210, 211, 212, 217,
    218, 220, 221, 222, 227, 231, 232, 234, 235, 237, 241, 242, 244, 247, 248, 254};

std::uint32_t bigEndian32(const char *b) {
  const auto *u = reinterpret_cast<const unsigned char *>(b);
  return std::uint32_t{u[0]} << 24 | std::uint32_t{u[1]} << 16 | std::uint32_t{u[2]} << 8 | u[3];
}

// The PNG header's fields, read before any decoding.
struct PngHeader {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int depth = 0;
  int colourType = 0;
  // Greyscale samples of a depth POV-Ray and Qt agree on.
  bool grey() const { return colourType == 0 && (depth == 8 || depth == 16); }
};

bool readPngHeader(QIODevice &in, PngHeader &header) {
  const QByteArray head = in.peek(26);
  if (head.size() < 26 || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR")
    return false;
  header = {bigEndian32(head.data() + 16), bigEndian32(head.data() + 20),
            static_cast<unsigned char>(head[24]), static_cast<unsigned char>(head[25])};
  return true;
}

// A PNG from a pipe is read into memory whole, so that its chunks can be
// walked before decoding. No map needs more: a 16384 x 16384 16-bit map's
// rows stored without compression come to about 513 MiB with every block and
// chunk header.
constexpr qint64 kMaxPipedPng = qint64{1} << 30;

// Reads a sequential input to its end; false when it holds more than limit.
bool readWhole(QIODevice &in, qint64 limit, QByteArray &out) {
  while (out.size() <= limit) {
    const QByteArray block = in.read(qint64{1} << 20);
    if (block.isEmpty())
      return true;
    out.append(block);
  }
  return false;
}

// Walks the chunks from the signature to IEND, each a 4-byte length, a
// 4-byte type, the data and a 4-byte CRC. False when a length is above
// 2^31 - 1 or a chunk runs past the end of the input: the decoder must never
// make room for data that is not there. The input is left where it was.
bool chunksFitInput(QIODevice &in) {
  const qint64 start = in.pos();
  const qint64 end = in.size();
  bool fit = false;
  for (qint64 at = start + 8; end - at >= 12;) {
    char head[8];
    if (!in.seek(at) || in.read(head, 8) != 8)
      break;
    const std::uint32_t length = bigEndian32(head);
    if (length > 0x7fffffffu || end - at - 12 < static_cast<qint64>(length))
      break;
    if (std::string_view(head + 4, 4) == "IEND") {
      fit = true;
      break;
    }
    at += 12 + static_cast<qint64>(length);
  }
  return in.seek(start) && fit;
}

// Keeps the decoder's own messages out of the user's terminal while a PNG
// decodes; the result code says what went wrong. libpng prints its errors
// straight to standard error, past Qt's message handler, and Qt's PNG handler
// writes libpng's warnings there too, so standard error points at /dev/null
// meanwhile. It is the process's, so one decode at a time holds it.
class QuietDecoder {
public:
  QuietDecoder() : lock_(mutex()), saved_(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0)) {
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0)
      dup2(null, STDERR_FILENO);
    if (null >= 0)
      close(null);
  }
  ~QuietDecoder() {
    if (saved_ >= 0) {
      dup2(saved_, STDERR_FILENO);
      close(saved_);
    }
  }
  QuietDecoder(const QuietDecoder &) = delete;
  QuietDecoder &operator=(const QuietDecoder &) = delete;

private:
  static std::mutex &mutex() {
    static std::mutex m;
    return m;
  }

  std::lock_guard<std::mutex> lock_;
  int saved_;
};

// Decodes the rows header announces into read, in the format storePngRows
// takes: Grayscale16 or RGBA64 (red the sample) for 16-bit grey, Grayscale8 or
// Indexed8 (the index the sample) for 8-bit grey, Indexed8 for indices.
int decodePng(QIODevice &in, const PngHeader &header, QImage &read) {
  // Deflate packs at most 1032 bytes into one, so a file too small to hold the
  // rows it claims is short before an image of that size is made.
  const std::uint64_t rowBytes = (std::uint64_t{header.width} * header.depth + 7) / 8;
  if (!canHold(in, std::uint64_t{header.height} * (1 + rowBytes) / 1032))
    return ShortData;
  // Qt refuses images over 256 MiB by default; a 16384 x 16384 16-bit map is 512.
  if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < 1024)
    QImageReader::setAllocationLimit(1024);
  QImageReader reader(&in, "png");
  reader.setAutoTransform(false);
  {
    const QuietDecoder quiet;
    read = reader.read();
  }
  if (read.isNull())
    return ShortData;
  if (read.format() == QImage::Format_Mono || read.format() == QImage::Format_MonoLSB)
    read = read.convertToFormat(QImage::Format_Indexed8);
  const bool wide = header.depth == 16;
  const QImage::Format format = read.format();
  const bool expected =
      wide ? format == QImage::Format_Grayscale16 || format == QImage::Format_RGBA64
           : format == QImage::Format_Indexed8 ||
                 (header.grey() && format == QImage::Format_Grayscale8);
  return expected && read.width() == static_cast<int>(header.width) &&
                 read.height() == static_cast<int>(header.height)
             ? Loaded
             : Incompatible;
}

void storePngRows(const QImage &read, bool grey, LRMemoryDC &base) {
  // 8-bit samples through a table: a palette index i at i * 256, as a
  // Targa's; a grey sample as POV-Ray reads it.
  std::array<std::uint32_t, 256> lut;
  for (std::uint32_t b = 0; b < 256; ++b)
    lut[b] = levelPixel(grey ? b * 257 : b * 256);
  if (grey)
    for (const unsigned char b : kGreyPngOneLevelLow)
      lut[b] = levelPixel((b - 1u) * 257);
  const int w = read.width();
  for (int r = 0; r < read.height(); ++r) {
    std::uint32_t *row = base.rowPixels(r);
    const uchar *line = read.constScanLine(r);
    if (read.format() == QImage::Format_RGBA64)
      for (int k = 0; k < w; ++k)
        row[k] = levelPixel(reinterpret_cast<const QRgba64 *>(line)[k].red());
    else if (read.format() == QImage::Format_Grayscale16)
      for (int k = 0; k < w; ++k)
        row[k] = levelPixel(reinterpret_cast<const quint16 *>(line)[k]);
    else
      for (int k = 0; k < w; ++k)
        row[k] = lut[line[k]];
  }
}

} // namespace

int readPng(QIODevice &in, LRMemoryDC &image) {
  PngHeader header;
  if (!readPngHeader(in, header))
    return Incompatible;
  if (!(header.grey() || header.colourType == 3) || !sizeAccepted(header.width, header.height))
    return Incompatible;
  if (in.isSequential()) {
    QByteArray whole;
    if (!readWhole(in, kMaxPipedPng, whole))
      return Incompatible;
    QBuffer buffer(&whole);
    buffer.open(QIODevice::ReadOnly);
    return readPng(buffer, image);
  }
  if (!chunksFitInput(in))
    return ShortData;
  QImage read;
  if (const int result = decodePng(in, header, read); result != Loaded)
    return result;
  LRMemoryDC base(read.width(), read.height());
  if (base.isNull())
    return Incompatible;
  storePngRows(read, header.grey(), base);
  image = std::move(base);
  return Loaded;
}

void commitHeightField(Document &document, LRMemoryDC &&image) {
  document.setMap(std::move(image));
}

} // namespace hs
