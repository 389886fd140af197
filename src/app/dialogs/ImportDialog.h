#pragma once

#include "gui/vDialog.h"

#include <span>
#include <string>

namespace hs {

// "Import Elevation": the longest side the model is resampled to, 0 for as
// it is. A value that is not a whole number from 2 to maxSide (or 0) is
// tinted, and "OK" keeps the dialog open until it is put right.
class ImportElevationDialog : public vModalDialog {
public:
  // Control ids.
  enum Control : int {
    kPadTop = 1000,
    kSizeLabel = 1001,
    kSize = 1002,
    kPadOk = 1003,
  };

  ImportElevationDialog(QWidget *parent, const char *title, int maxSide);
  static std::span<const CommandObject> commands();

  // The side taken on "OK".
  int size() const { return size_; }

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  int maxSide_;
  int size_ = 0;
};

// The side text asks for: 0, or a whole number from 2 to maxSide; -1 when it
// is none of those.
int readLongestSide(const std::string &text, int maxSide);

} // namespace hs
