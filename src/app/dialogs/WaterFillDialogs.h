#pragma once

#include "core/Document.h"
#include "core/PaneSurface.h"
#include "core/ProgramValues.h"
#include "core/ScData.h"
#include "gui/vDialog.h"

#include <functional>
#include <span>

namespace hs {

// "Water Level", modeless: the water level is either picked on the map or
// typed in, in colour units: the heights of the map shown, whose range the
// dialog names (0-255, or 0-65535 on a 16-bit map), as the readout shows them.
// The main window starts the pick with startPick and ends it itself when the
// map is clicked; "OK" and " Cancel " end it here and give the window its tool
// buttons back.
class GwatDialog : public vDialog {
public:
  // Control ids.
  enum Control : int {
    kPrompt1 = 1000,
    kPrompt2 = 1001,
    kPrompt3 = 1002,
    kPadLevel = 1003,
    kLevel = 1004,
    kRange = 1005,
  };

  // setLevel takes a typed level to the scene (so a map showing the water
  // shows the new line); without one the level only goes into the document.
  GwatDialog(QWidget *parent, const char *title, ProgramValues &values, Document &document,
             WindowServices &window = noServices(), std::function<void(float)> setLevel = {});
  static std::span<const CommandObject> commands();

  // Remembers the mode, enters GetWater and shows the dialog unless it is on
  // screen. The caller shows the status text.
  void startPick();
  // Names the range of colour units of the map shown, 0 to highest.
  void showRange(int highest);
  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  ProgramValues &values_;
  Document &document_;
  WindowServices &window_;
  std::function<void(float)> setLevel_;
};

// The largest fill count "Set" and " Hide " take: the number of objects a
// scene holds at most.
inline constexpr int kMaxFillCount = static_cast<int>(ItemBudget{}.limit);
inline constexpr const char *kFillCountMessage = "Too many objects!!\n\nThe most is 10000000";

// "Fill Style", modeless: the fill count (on "Set" or " Hide ") and the two
// random options (at once). Its title follows the fill tool.
class FillDialog : public vDialog {
public:
  // Control ids.
  enum Control : int {
    kPadLeft = 1000,
    kPadHide = 1001,
    kPadTop = 1002,
    kCountLabel = 1004,
    kCount = 1005,
    kRandomType = 1007,
    kSet = 1009,
    kRandomPlace = 1010,
  };

  FillDialog(QWidget *parent, const char *title, ProgramValues &values);
  static std::span<const CommandObject> commands();

  // "Fill Line", "Fill BOX", "Fill Circle" for the three fill modes, else nullptr.
  static const char *titleForMode(int mode);
  // The "Fill" command: shows the dialog titled for the current mode, unless
  // it is on screen or the mode is not a fill mode. True when it was shown.
  bool showForMode();
  // After the tool buttons changed the mode: an open dialog follows a fill
  // mode's title, and closes for SingleObject.
  void followMode();

  void onShown() override;
  void onCommand(int id, int value, CmdKind kind) override;

private:
  // Takes the typed count; false (after a notice) when it is too large.
  bool readCount();

  ProgramValues &values_;
};

} // namespace hs
