// The PNG reader, over Qt's PNG decoder, with the checks made before it decodes.
#include "terrain/HeightField.h"
#include "terrain/HeightFieldRead.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <mutex>
#include <string_view>

namespace hs {

using namespace height_field_read;

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

// How POV-Ray 3.7 turns a PNG's pixels into levels, by colour type and depth.
enum class PngKind {
  Other,   // refused
  Grey8,   // through the gamma table
  Grey16,  // the sample
  Index,   // the index * 256
  Colour8, // red * 256 + green, as a Targa's true colour
  Level8,  // grey with alpha: the sample * 257, no gamma
  Level16, // grey with alpha: the sample
  Colour16 // a weighted grey
};

// The PNG header's fields, read before any decoding.
struct PngHeader {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int depth = 0;
  int colourType = 0;
  PngKind kind() const {
    if (colourType == 3)
      return PngKind::Index;
    if (depth != 8 && depth != 16)
      return PngKind::Other;
    const bool wide = depth == 16;
    switch (colourType) {
    case 0:
      return wide ? PngKind::Grey16 : PngKind::Grey8;
    case 2:
    case 6:
      return wide ? PngKind::Colour16 : PngKind::Colour8;
    case 4:
      return wide ? PngKind::Level16 : PngKind::Level8;
    default:
      return PngKind::Other;
    }
  }
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
// Indexed8 (the index the sample) for 8-bit grey, Indexed8 for indices,
// ARGB32 for 8-bit colour or grey with alpha, RGBA64 for 16-bit ones.
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
  const PngKind kind = header.kind();
  // Unpremultiplied, so that a transparent pixel keeps its colour.
  if (kind == PngKind::Colour8 || kind == PngKind::Level8)
    read = read.convertToFormat(QImage::Format_ARGB32);
  else if (kind == PngKind::Colour16 || kind == PngKind::Level16)
    read = read.convertToFormat(QImage::Format_RGBA64);
  const QImage::Format format = read.format();
  bool expected = false;
  switch (kind) {
  case PngKind::Grey16:
    expected = format == QImage::Format_Grayscale16 || format == QImage::Format_RGBA64;
    break;
  case PngKind::Grey8:
    expected = format == QImage::Format_Grayscale8 || format == QImage::Format_Indexed8;
    break;
  case PngKind::Index:
    expected = format == QImage::Format_Indexed8;
    break;
  default:
    expected = !read.isNull();
  }
  return expected && read.width() == static_cast<int>(header.width) &&
                 read.height() == static_cast<int>(header.height)
             ? Loaded
             : Incompatible;
}

// POV-Ray's grey of a 16-bit colour: each channel a float fraction of 65535,
// weighted and scaled in doubles and truncated. It matches trace() level for
// level, even where the sum lies a hair under a whole level.
std::uint32_t colour16Level(const QRgba64 &c) {
  const auto part = [](quint16 v) { return double(static_cast<float>(v) / 65535.0F); };
  const double grey = part(c.red()) * 0.297 + part(c.green()) * 0.589 + part(c.blue()) * 0.114;
  return static_cast<std::uint32_t>(grey * 65535.0);
}

// A row of a colour or grey-with-alpha PNG; false for the other kinds.
bool storeColourRow(const uchar *line, int w, PngKind kind, std::uint32_t *row) {
  const auto *wide = reinterpret_cast<const QRgba64 *>(line);
  const auto *argb = reinterpret_cast<const QRgb *>(line);
  switch (kind) {
  case PngKind::Colour16:
    for (int k = 0; k < w; ++k)
      row[k] = levelPixel(colour16Level(wide[k]));
    return true;
  case PngKind::Level16:
    for (int k = 0; k < w; ++k)
      row[k] = levelPixel(wide[k].red());
    return true;
  case PngKind::Colour8:
    for (int k = 0; k < w; ++k)
      row[k] = levelPixel(std::uint32_t(qRed(argb[k])) * 256 + std::uint32_t(qGreen(argb[k])));
    return true;
  case PngKind::Level8:
    for (int k = 0; k < w; ++k)
      row[k] = levelPixel(std::uint32_t(qRed(argb[k])) * 257);
    return true;
  default:
    return false;
  }
}

void storePngRows(const QImage &read, PngKind kind, LRMemoryDC &base) {
  // 8-bit samples through a table: a palette index i at i * 256, as a
  // Targa's; a grey sample as POV-Ray reads it.
  const bool grey = kind == PngKind::Grey8;
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
    if (storeColourRow(line, w, kind, row))
      continue;
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
  if (header.kind() == PngKind::Other || !sizeAccepted(header.width, header.height))
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
  storePngRows(read, header.kind(), base);
  image = std::move(base);
  return Loaded;
}
} // namespace hs
