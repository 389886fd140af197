#pragma once

#include "gui/CommandObject.h"
#include "gui/ControlSet.h"

#include <QDialog>

#include <memory>
#include <span>
#include <string>

namespace hs {

// Where a dialog's frame (title bar included) goes: offset from the top-left
// corner of the main window's frame, then moved as little as needed to lie
// wholly inside the screen's available area; a frame larger than that area
// keeps its top-left corner, and so its title bar, on the screen.
QPoint dialogFramePosition(const QRect &mainFrame, QPoint offset, QSize dialogFrame,
                           const QRect &available);

// Moves a top-level window, without resizing it, so its frame lies where
// dialogFramePosition puts it from main's frame, on the screen that shows
// main (the window's own screen when there is no main).
void placeFrameFrom(QWidget &window, const QWidget *main, QPoint offset);

// A dialog built from a CommandObject table. Showing it returns at once; it
// stays on screen until closed. Derived dialogs override onShown and
// onCommand and pass each event on to vDialog::onCommand, which closes the
// dialog on "OK" (kOkId) and "Cancel" (kCancelId).
class vDialog : public QDialog {
public:
  vDialog(QWidget *parent, const char *title);
  ~vDialog() override;

  // Builds the controls; call once, from the derived constructor.
  void addDialogCmds(std::span<const CommandObject> table);

  // Shows the dialog; a non-empty message replaces the text of the control
  // marked kMainMessage. onShown runs once the dialog is on screen.
  void showDialog(const char *message = "");
  // Hide the dialog (the program's close, and the user's "OK" / "Cancel").
  void closeDialog();
  void cancelDialog();
  void setDialogTitle(const char *title);
  bool isDisplayed() const { return isVisible(); }
  // The command that last closed the dialog (kOkId, kCancelId), else 0.
  int lastCommand() const { return lastCommand_; }

  // Hooks.
  virtual void onShown() {}
  virtual void onCommand(int id, int value, CmdKind kind);

  // Controls by id. Setting a value or text sends no event.
  std::string getText(int id) const;
  bool setText(int id, const std::string &text);
  int getValue(int id) const;
  bool setValue(int id, int value);
  bool setSensitive(int id, bool enabled);
  QWidget *control(int id) const;
  const ControlSet *controls() const { return controls_.get(); }

  // Moves the dialog to (dx, dy) from the top-left corner of the main window
  // it belongs to (of the map below its bars when that is a vCmdWindow),
  // without resizing it, keeping its frame on the screen.
  void placeFromMainWindow(int dx, int dy);

protected:
  // Escape and the close box: a dialog with a "Cancel" behaves as if it was
  // pressed; any other dialog just closes.
  void reject() override;

private:
  std::unique_ptr<ControlSet> controls_;
  int lastCommand_ = 0;
};

// A dialog whose showing returns only when it has been closed.
class vModalDialog : public vDialog {
public:
  vModalDialog(QWidget *parent, const char *title);

  // Shows the dialog and waits until it closes; returns lastCommand(). With
  // a stand-in installed (see vInteraction.h) the stand-in acts instead of a
  // person.
  int showModalDialog(const char *message = "");
};

} // namespace hs
