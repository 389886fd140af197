#pragma once

#include "gui/CommandObject.h"
#include "gui/vPanes.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QVBoxLayout;

namespace hs {

class vCanvasPane;

// The top-level window: menu bar, command bars (the most recently added on
// top), the canvas filling the rest and the status bar at the bottom. Every
// menu or command-bar activation reaches windowCommand.
class vCmdWindow : public QMainWindow {
public:
  vCmdWindow(const char *name, int width, int height);
  ~vCmdWindow() override;

  // The window owns every pane added to it.
  vMenuPane *addMenuPane(std::unique_ptr<vMenuPane> pane);
  vCommandPane *addCommandPane(vCommandPane *pane);
  vCanvasPane *addCanvasPane(vCanvasPane *pane);
  vStatusPane *addStatusPane(std::unique_ptr<vStatusPane> pane);

  // The one dispatcher: id of the entry or control, its new value (a toggle's
  // state, a spinner's index) and its kind. The default handles Exit.
  virtual void windowCommand(int id, int value, CmdKind kind);

  // Set from the program: only the look changes; no command follows.
  // A menu entry's value is its check mark. False for an unknown id.
  bool setValue(int id, int value);
  bool setSensitive(int id, bool enabled);
  int getValue(int id) const;
  // Text of a menu entry, a status label or a command-bar control.
  bool setString(int id, const char *text);
  std::string getString(int id) const;

  // For tests and for dialogs that place themselves: the widget of a control,
  // a menu entry's action, a status label.
  QWidget *control(int id) const;
  QAction *menuAction(int id) const;
  QLabel *statusLabel(int id) const;
  vCanvasPane *canvas() const { return canvas_; }
  // How far down the window's inside the menu and command bars reach: where
  // the canvas begins.
  int commandBarsBottom() const;
  // Asked before the close box closes the window; false keeps it open.
  virtual bool mayClose() { return true; }

protected:
  void closeEvent(QCloseEvent *event) override;
  // Keys no control took go to the canvas, unless a text entry has the
  // keyboard: what is typed there (Return too) belongs to the entry.
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  ControlSet *controlsWith(int id) const;

  QVBoxLayout *bars_ = nullptr;
  QVBoxLayout *body_ = nullptr;
  std::vector<std::unique_ptr<vMenuPane>> menus_;
  std::vector<vCommandPane *> commandPanes_;
  std::vector<std::unique_ptr<vStatusPane>> statusPanes_;
  vCanvasPane *canvas_ = nullptr;
};

} // namespace hs
