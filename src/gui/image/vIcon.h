#pragma once

#include "gui/image/vColor.h"

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace hs {

// A small picture drawn pixel for pixel. Drawn transparent, every pixel whose
// colour equals the bottom-left pixel's is left out.
struct vIcon {
  int width = 0;
  int height = 0;
  std::vector<ColourValue> pixels; // row by row, top row first
  bool transparent = false;

  ColourValue at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  ColourValue key() const { return height > 0 ? at(0, height - 1) : kNoColour; }

  bool operator==(const vIcon &) const = default;
};

struct IconLegend {
  char symbol;
  ColourValue colour;
};

// Builds an icon from rows of symbols, one character a pixel.
vIcon iconFromRows(std::initializer_list<std::string_view> rows,
                   std::initializer_list<IconLegend> legend, bool transparent);

} // namespace hs
