#pragma once

// What every height-field read must keep, whatever the bytes: a known result
// code, a new image only on success, and never one larger than a map may be.

#include "terrain/HeightField.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

template <class Read>
void checkHeightFieldRead(const std::uint8_t *data, std::size_t size, Read read) {
  QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  hs::LRMemoryDC image;
  const int result = read(in, image);
  if (result != hs::Loaded && result != hs::Incompatible && result != hs::ShortData)
    std::abort();
  if ((result == hs::Loaded) == image.isNull())
    std::abort();
  if (image.width() > hs::kMaxMapSide || image.height() > hs::kMaxMapSide)
    std::abort();
}
