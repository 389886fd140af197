#pragma once

#include "core/ProgramValues.h"
#include "gui/vDialog.h"

#include <span>

namespace hs {

// "Scale HF": the three scale factors, taken on "OK".
class GscalModalDialog : public vModalDialog {
public:
  GscalModalDialog(QWidget *parent, const char *title, ProgramValues &values);
  static std::span<const CommandObject> commands();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  ProgramValues &values_;
};

// "Display Unit Values": the readout units, taken the moment a radio button
// is chosen.
class PPlacModalDialog : public vModalDialog {
public:
  PPlacModalDialog(QWidget *parent, const char *title, ProgramValues &values);
  static std::span<const CommandObject> commands();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  ProgramValues &values_;
};

} // namespace hs
