// fuzz-links: hs_io
// Any bytes as a place data file: the reader must return a result and, on
// success, what it read must write out and read back the same.
#include "io/PlaceData.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  hs::PlaceData parsed;
  const int result = hs::readPlaceData(in, parsed, 100000);
  if (result < 0 || (result > 4 && result != hs::PlaceDataNoMemory))
    __builtin_trap();
  if (result != 0)
    return 0;

  // One document for every input: building its map each time would be most of the work.
  static hs::Document document(hs::Document::Recording::Off);
  document.killAll();
  hs::applyPlaceData(parsed, document);
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  const std::string &name = document.hfFileName();
  const bool nameReadsBack = name.empty() || name.back() != '\r';
  // A name ending in CR would not read back as itself, so it is not saved.
  if ((hs::savePlaceData(document, out) == 0) != nameReadsBack)
    __builtin_trap();
  if (!nameReadsBack)
    return 0;
  QByteArray written = out.data();
  QBuffer again(&written);
  again.open(QIODevice::ReadOnly);
  hs::PlaceData reread;
  if (hs::readPlaceData(again, reread, 100000) != 0 || reread.objectCount != parsed.objectCount)
    __builtin_trap();
  return 0;
}
