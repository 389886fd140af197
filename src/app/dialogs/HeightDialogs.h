#pragma once

#include "core/ProgramValues.h"
#include "core/ScItem.h"
#include "gui/vDialog.h"

#include <span>
#include <string>

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

protected:
  // A dialog of this kind built from a longer table.
  CLatDialog(QWidget *parent, const char *title, ProgramValues &values,
             std::span<const CommandObject> table);

private:
  ProgramValues &values_;
};

// "Height of object": the CLatDialog, and below its height controls a frame
// with the turn and size of the object being edited, which belong to that
// object alone. Shown for an object (showForObject), "OK" takes the typed turn
// and size into it; a turn or size that does not read as a number, or a size
// below kMinSize, keeps the object's own, as the height entry keeps its value.
// Shown by itself (the "Height" button) there is no object: the frame is
// greyed and empty.
class CLatObjectDialog : public CLatDialog {
public:
  // Control ids, after CLatDialog's.
  enum Control : int {
    kObjectFrame = 1010,
    kTurnLabel = 1011,
    kTurn = 1012,
    kSizeLabel = 1013,
    kSize = 1014,
  };

  CLatObjectDialog(QWidget *parent, const char *title, ProgramValues &values);
  static std::span<const CommandObject> commands();

  // Shows the dialog for item, number index (0-based) of type (0-based),
  // and waits until it closes; returns lastCommand().
  int showForObject(ScItem &item, int type, int index);

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  ScItem *item_ = nullptr;
  std::string name_;
};

} // namespace hs
