#include "terrain/HeightField.h"

#include "core/Names.h"
#include "terrain/Height.h"
#include "terrain/InputFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace hs {

namespace {

// A claimed size the file cannot hold is short data, found before two images
// of that size are made. Pipes and other unsized files are simply read.
bool fileCanHold(std::FILE *f, std::uint64_t needed) {
  struct stat st;
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode))
    return true;
  const long pos = std::ftell(f);
  if (pos < 0)
    return true;
  const auto size = static_cast<std::uint64_t>(st.st_size);
  return size >= static_cast<std::uint64_t>(pos) &&
         size - static_cast<std::uint64_t>(pos) >= needed;
}

bool sizeAccepted(long long w, long long h) {
  return w > 0 && h > 0 && w <= kMaxMapSide && h <= kMaxMapSide;
}

// The new images of a load, made before anything in the scene changes. The
// old viewImage is only a picture of the old map, rebuilt by every redraw, so
// when it already has the new size it is reused at commit time instead of
// making a second image.
struct NewImages {
  LRMemoryDC base;
  LRMemoryDC view;
  bool make(const Scene &scene, int w, int h) {
    base = LRMemoryDC(w, h);
    if (scene.viewImage.width() != w || scene.viewImage.height() != h) {
      view = LRMemoryDC(w, h);
      if (view.isNull())
        return false;
    }
    return !base.isNull();
  }
};

void commit(Scene &scene, NewImages &images, int w, int h) {
  scene.prevMapWidth = scene.mapWidth;
  scene.prevMapHeight = scene.mapHeight;
  scene.setMapSize(w, h);
  if (!images.view.isNull())
    scene.viewImage = std::move(images.view);
  scene.baseImage = std::move(images.base);
  scene.viewImage.copyFrom(scene.baseImage);
  // The pane and viewImage draw with the same pen and brush.
  scene.viewImage.setPen(scene.pen);
  scene.viewImage.setBrush(scene.brush);
  scene.viewImage.setDrawMode(DrawMode::Normal);
  scene.repaint();
}

// Reads the pixel rows in blocks of about 1 MiB and hands each row to paint.
// False when the file ends before the last row.
template <class PaintRow>
bool readRows(std::FILE *f, std::size_t rowSize, int rows, PaintRow paint) {
  const int perBlock = static_cast<int>(std::max<std::size_t>(1, (1u << 20) / rowSize));
  std::vector<unsigned char> block(rowSize * static_cast<std::size_t>(std::min(perBlock, rows)));
  for (int r = 0; r < rows;) {
    const int n = std::min(perBlock, rows - r);
    const std::size_t bytes = rowSize * static_cast<std::size_t>(n);
    if (std::fread(block.data(), 1, bytes, f) != bytes)
      return false;
    for (int i = 0; i < n; ++i, ++r)
      paint(r, block.data() + rowSize * static_cast<std::size_t>(i));
  }
  return true;
}

bool targaHeaderAccepted(const std::array<unsigned char, 18> &h) {
  static constexpr unsigned char kFixed[12] = {0, 1, 1, 0, 0, 0x00, 0x01, 24, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i)
    if (h[static_cast<std::size_t>(i)] != kFixed[i])
      return false;
  return h[16] == 8 && h[17] == 32;
}

// fscanf-like fields of a PPM header: blanks are skipped before each.
int skipSpace(std::FILE *f) {
  int c = std::getc(f);
  while (c != EOF && std::isspace(c))
    c = std::getc(f);
  return c;
}

bool readMagic(std::FILE *f) {
  int c = skipSpace(f);
  char token[3] = {};
  int n = 0;
  while (c != EOF && !std::isspace(c)) {
    if (n == 2)
      return false; // longer than "P6"
    token[n++] = static_cast<char>(c);
    c = std::getc(f);
  }
  return n == 2 && token[0] == 'P' && token[1] == '6';
}

// A decimal integer with an optional sign. The byte after its last digit is
// pushed back: for the maximum value it is the first data byte.
bool readInt(std::FILE *f, long long &out) {
  int c = skipSpace(f);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = std::getc(f);
  }
  long long v = 0;
  int digits = 0;
  while (c != EOF && c >= '0' && c <= '9') {
    if (v < 1'000'000'000'000LL) // saturates; any such size is refused anyway
      v = v * 10 + (c - '0');
    ++digits;
    c = std::getc(f);
  }
  if (c != EOF)
    std::ungetc(c, f);
  if (digits == 0)
    return false;
  out = negative ? -v : v;
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

int loadTarga(Scene &scene, const std::string &path, const Palette &pal) {
  InputFile f = openInputFile(path);
  if (!f)
    return CannotOpen;
  std::array<unsigned char, 18> header;
  if (std::fread(header.data(), 1, header.size(), f.get()) != header.size() ||
      !targaHeaderAccepted(header))
    return Incompatible;
  const int w = header[12] | (header[13] << 8);
  const int h = header[14] | (header[15] << 8);
  if (!sizeAccepted(w, h))
    return Incompatible;
  // The file's own colour map plays no part; only pal decides the colours.
  const std::uint64_t needed = 768 + static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
  if (!fileCanHold(f.get(), needed))
    return ShortData;
  NewImages images;
  if (!images.make(scene, w, h))
    return Incompatible;
  std::array<unsigned char, 768> colourMap;
  if (std::fread(colourMap.data(), 1, colourMap.size(), f.get()) != colourMap.size())
    return ShortData;
  std::array<std::uint32_t, 256> lut;
  for (std::size_t i = 0; i < lut.size(); ++i)
    lut[i] = toQtPixel(pal[i]);
  LRMemoryDC &base = images.base;
  const bool complete =
      readRows(f.get(), static_cast<std::size_t>(w), h, [&](int r, const unsigned char *b) {
        std::uint32_t *row = base.rowPixels(r);
        for (int k = 0; k < w; ++k)
          row[k] = lut[b[k]];
      });
  if (!complete)
    return ShortData;
  commit(scene, images, w, h);
  return Loaded;
}

int loadPpm(Scene &scene, const std::string &path) {
  InputFile f = openInputFile(path);
  if (!f)
    return CannotOpen;
  long long w = 0;
  long long h = 0;
  long long maxValue = 0;
  if (!readMagic(f.get()) || !readInt(f.get(), w) || !readInt(f.get(), h) ||
      !readInt(f.get(), maxValue) || maxValue != 255 || !sizeAccepted(w, h))
    return Incompatible;
  const auto rowSize = static_cast<std::size_t>(3 * w);
  if (!fileCanHold(f.get(), rowSize * static_cast<std::uint64_t>(h)))
    return ShortData;
  NewImages images;
  if (!images.make(scene, static_cast<int>(w), static_cast<int>(h)))
    return Incompatible;
  LRMemoryDC &base = images.base;
  const int width = static_cast<int>(w);
  const bool complete =
      readRows(f.get(), rowSize, static_cast<int>(h), [&](int r, const unsigned char *b) {
        std::uint32_t *row = base.rowPixels(r);
        // Stored pixels are 0xFFRRGGBB: red t2, green t1, blue t0.
        for (int k = 0; k < width; ++k, b += 3)
          row[k] = 0xFF000000u | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[1]} << 8) | b[0];
      });
  if (!complete)
    return ShortData;
  commit(scene, images, static_cast<int>(w), static_cast<int>(h));
  return Loaded;
}

int loadHeightFieldByName(Scene &scene, WindowValues &window, const Palette &pal,
                          const std::string &name) {
  const bool tga = name.find(".tga") != std::string::npos;
  const bool ppm = name.find(".ppm") != std::string::npos;
  if (!tga && !ppm) {
    window.hfFileType = 0;
    return WrongFileType;
  }
  window.hfFileType = ppm ? 1 : 0;
  // A name with both is read as PPM only. No file is both (a Targa starts with
  // byte 0, a PPM with "P6"), so a Targa read first could only be replaced by
  // the PPM read or, when that fails, leave a map of another type behind.
  return ppm ? loadPpm(scene, name) : loadTarga(scene, name, pal);
}

void finishHeightFieldLoad(Scene &scene, const WindowValues &window, int result) {
  if (result == Loaded) {
    scene.hfType = window.hfFileType;
    scene.repaint();
    rescaleToMap(scene);
  }
  scene.changed(Change::Map);
}

int heightFieldCommand(Scene &scene, WindowValues &window, const Palette &pal,
                       const std::optional<std::string> &chosen) {
  int result = LoadCancelled;
  if (chosen && !chosen->empty()) {
    // Stored before reading, so a failed read still leaves the new name.
    // A name too long to keep is not stored; it cannot be opened either.
    setName(window.hfFileName, *chosen);
    result = loadHeightFieldByName(scene, window, pal, *chosen);
  }
  finishHeightFieldLoad(scene, window, result);
  return result;
}

int firstHeightFieldLoad(Scene &scene, WindowValues &window, const Palette &pal) {
  const std::string name = window.hfFileName;
  const int result = loadHeightFieldByName(scene, window, pal, name);
  if (result == Loaded) {
    finishHeightFieldLoad(scene, window, result);
    keep(scene);
  }
  return result;
}

const char *firstLoadMessage(int result) {
  if (result == WrongFileType)
    return "   First Load\n WRONG  FILE TYPE!!\n\nTGA & PPM types only !!";
  return heightFieldMessage(result);
}

} // namespace hs
