#include "gui/image/vIcon.h"

#include <algorithm>

namespace hs {

vIcon iconFromRows(std::initializer_list<std::string_view> rows,
                   std::initializer_list<IconLegend> legend, bool transparent) {
  vIcon icon;
  icon.height = static_cast<int>(rows.size());
  icon.width = rows.size() == 0 ? 0 : static_cast<int>(rows.begin()->size());
  icon.transparent = transparent;
  icon.pixels.reserve(static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height));
  for (std::string_view row : rows) {
    for (int x = 0; x < icon.width; ++x) {
      const char c = x < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(x)] : ' ';
      auto it = std::find_if(legend.begin(), legend.end(),
                             [c](const IconLegend &l) { return l.symbol == c; });
      icon.pixels.push_back(it == legend.end() ? 0u : it->colour);
    }
  }
  return icon;
}

} // namespace hs
