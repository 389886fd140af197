#include "placement/Tool.h"

#include <iterator>

namespace hs {

namespace {

constexpr bool inModeOrder() {
  for (int i = 0; i < kModeCount; ++i)
    if (kToolRows[i].mode != i)
      return false;
  return true;
}
// A mode without a row, or rows out of order, does not compile.
static_assert(std::size(kToolRows) == kModeCount && inModeOrder());

} // namespace

const ToolRow *toolRow(int mode) {
  if (mode < 0 || mode >= kModeCount)
    return nullptr;
  return &kToolRows[mode];
}

int modeOfButton(int id) {
  for (const ToolRow &row : kToolRows)
    if (row.button.id != 0 && row.button.id == id)
      return row.mode;
  return -1;
}

std::span<const ToolRow> toolRows() { return kToolRows; }

const Tool &toolFor(int mode) { return toolRow(mode)->tool(); }

const char *modeEntryText(int mode) {
  const ToolRow *row = toolRow(mode);
  return row ? row->entry.text : "";
}

const char *modeLabel(int mode) {
  const ToolRow *row = toolRow(mode);
  return row ? row->label : nullptr;
}

} // namespace hs
