#include "app/dialogs/ImportDialog.h"

#include <charconv>

namespace hs {

namespace {

constexpr CommandObject kImportCmds[] = {
    {.kind = CmdKind::BlankLabel, .id = ImportElevationDialog::kPadTop, .label = " "},
    {.kind = CmdKind::StaticText,
     .id = ImportElevationDialog::kSizeLabel,
     .label = "Longest side (pixels, 0: as the model)",
     .below = ImportElevationDialog::kPadTop},
    {.kind = CmdKind::TextEntry,
     .id = ImportElevationDialog::kSize,
     .rightOf = ImportElevationDialog::kSizeLabel,
     .below = ImportElevationDialog::kPadTop,
     .size = 6},
    {.kind = CmdKind::BlankLabel,
     .id = ImportElevationDialog::kPadOk,
     .label = "                         ",
     .below = ImportElevationDialog::kSizeLabel},
    {.kind = CmdKind::Button,
     .id = kCancelId,
     .label = " Cancel ",
     .rightOf = ImportElevationDialog::kPadOk,
     .below = ImportElevationDialog::kSize},
    {.kind = CmdKind::Button,
     .id = kOkId,
     .label = " OK ",
     .attributes = kDefaultButton,
     .rightOf = kCancelId,
     .below = ImportElevationDialog::kSize},
};

} // namespace

int readLongestSide(const std::string &text, int maxSide) {
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos)
    return -1;
  const char *begin = text.data() + first;
  const char *end = text.data() + last + 1;
  int side = -1;
  const auto [stop, error] = std::from_chars(begin, end, side);
  // One pixel on a side would leave the map no width to scale.
  if (error != std::errc() || stop != end || side == 1 || side < 0 || side > maxSide)
    return -1;
  return side;
}

ImportElevationDialog::ImportElevationDialog(QWidget *parent, const char *title, int maxSide)
    : vModalDialog(parent, title), maxSide_(maxSide) {
  addDialogCmds(kImportCmds);
}

std::span<const CommandObject> ImportElevationDialog::commands() { return kImportCmds; }

void ImportElevationDialog::onShown() {
  setText(kSize, std::to_string(size_));
  placeFromMainWindow(60, 0);
}

void ImportElevationDialog::onCommand(int id, int value, CmdKind kind) {
  if (id == kOkId) {
    const int side = readLongestSide(getText(kSize), maxSide_);
    if (QWidget *entry = control(kSize))
      entry->setStyleSheet(side < 0 ? QStringLiteral("QLineEdit { background: #f8c8c8; }")
                                    : QString());
    // A refused side keeps the dialog open, so what it shows can be put right.
    if (side < 0)
      return;
    size_ = side;
  }
  vModalDialog::onCommand(id, value, kind);
}

} // namespace hs
