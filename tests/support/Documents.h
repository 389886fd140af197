#pragma once

#include "core/Document.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace hs::test {

// A map of the present size painted by pixel(x, y), with no history.
template <class Pixel> void paintMap(Document &document, Pixel pixel) {
  LRMemoryDC map(document.baseImage().width(), document.baseImage().height());
  for (int y = 0; y < map.height(); ++y)
    for (int x = 0; x < map.width(); ++x)
      map.writePixel(x, y, static_cast<std::uint32_t>(pixel(x, y)));
  document.setMap(std::move(map));
  document.history().clear();
}

// Removes every object of list type.
inline void clearList(Document &document, int type) {
  std::vector<std::int32_t> all(static_cast<std::size_t>(document.objects()[type].count()));
  for (std::size_t i = 0; i < all.size(); ++i)
    all[i] = static_cast<std::int32_t>(i);
  document.remove(type, all);
}

} // namespace hs::test
