// fuzz-links: hs_terrain
// Any bytes as a palette file: 0 or 2, never a crash, and a refused file
// leaves the palette exactly as it was.
#include "terrain/Palette.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  hs::Palette pal = hs::defaultPalette();
  const int result = hs::readPalette(in, pal);
  if (result != hs::PaletteLoaded && result != hs::PaletteBodyError)
    std::abort();
  if (result != hs::PaletteLoaded && pal != hs::defaultPalette())
    std::abort();
  return 0;
}
