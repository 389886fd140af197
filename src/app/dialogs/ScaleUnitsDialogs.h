#pragma once

#include "core/Document.h"
#include "core/ProgramValues.h"
#include "gui/vDialog.h"

#include <span>

namespace hs {

// "Scale HF": the three scale factors, taken on "OK".
class GscalModalDialog : public vModalDialog {
public:
  // Control ids.
  enum Control : int {
    kLabelX = 1000,
    kLabelY = 1001,
    kLabelZ = 1002,
    kScaleX = 1003,
    kScaleY = 1004,
    kScaleZ = 1005,
    kDefault = 1006,
    kPadTop = 1007,
    kPadCancel = 1008,
    kPadDefault = 1009,
  };

  GscalModalDialog(QWidget *parent, const char *title, Document &document);
  static std::span<const CommandObject> commands();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  Document &document_;
};

// "Display Unit Values": the readout units, taken the moment a radio button
// is chosen.
class PPlacModalDialog : public vModalDialog {
public:
  // Control ids; the three choices follow the order of unitsMode.
  enum Control : int {
    kPadTop = 1000,
    kPadLeft = 1001,
    kPadBottom = 1002,
    kGroup = 1003,
    kMapUnits = 1004,
    kUnscaledPov = 1005,
    kScaledPov = 1006,
  };

  PPlacModalDialog(QWidget *parent, const char *title, ProgramValues &values);
  static std::span<const CommandObject> commands();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  ProgramValues &values_;
};

} // namespace hs
