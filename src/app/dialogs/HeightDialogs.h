#pragma once

#include "core/ProgramValues.h"
#include "gui/vDialog.h"

#include <span>

namespace hs {

// "Camera at Height": the camera's height and whether it stands above the
// ground or the water line, taken on "OK".
class CatDialog : public vModalDialog {
public:
  // Control ids.
  enum Control : int {
    kHeadline = 1000,
    kUnitsNote = 1001,
    kPadLeft = 1003,
    kPadOk = 1004,
    kPadCheck = 1005,
    kAboveWater = 1006,
    kHeight = 1007,
  };

  CatDialog(QWidget *parent, const char *title, ProgramValues &values);
  static std::span<const CommandObject> commands();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  ProgramValues &values_;
};

// "Look at Height" and "Height of object": the one height and reference level
// of the look-at point and of new objects. The three check boxes act as one
// choice, except that clicking the ticked one leaves none ticked, and "OK"
// then keeps the reference level as it was.
class CLatDialog : public vModalDialog {
public:
  // Control ids.
  enum Control : int {
    kHeadline = 1000,
    kUnitsNote = 1001,
    kPadLeft = 1003,
    kPadOk = 1004,
    kPadCheck = 1005,
    kAboveWater = 1006,
    kAboveCamera = 1007,
    kAboveGround = 1008,
    kHeight = 1009,
  };

  CLatDialog(QWidget *parent, const char *title, ProgramValues &values);
  static std::span<const CommandObject> commands();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  ProgramValues &values_;
};

} // namespace hs
