// fuzz-links: hs_io
// Any bytes as a polygon file: the reader must return, and what it takes are
// polygons of three corners or more, each corner a finite number pair.
#include "io/AreaText.h"

#include <QBuffer>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  std::vector<hs::Area> areas;
  const std::string why = hs::readPolygons(in, areas);
  if (!why.empty() && !areas.empty())
    __builtin_trap();
  for (const hs::Area &a : areas) {
    if (a.corners.size() < 3)
      __builtin_trap();
    std::vector<int> spans;
    for (const hs::AreaCorner &c : a.corners) {
      if (!std::isfinite(c.x) || !std::isfinite(c.z))
        __builtin_trap();
      a.rowSpans(static_cast<int>(std::fmod(c.z, 1e9)), spans);
    }
    for (std::size_t i = 0; i + 1 < spans.size(); i += 2)
      if (spans[i] > spans[i + 1])
        __builtin_trap();
  }
  return 0;
}
