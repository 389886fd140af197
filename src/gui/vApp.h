#pragma once

#include <memory>
#include <string>
#include <vector>

class QApplication;

namespace hs {

class vCmdWindow;

// The application object: its name, its one main window and the event loop.
// It uses the running QApplication, or makes one when there is none.
class vApp {
public:
  vApp(const char *name, int &argc, char **argv);
  virtual ~vApp();
  vApp(const vApp &) = delete;
  vApp &operator=(const vApp &) = delete;

  // The application made last, or nullptr.
  static vApp *instance();

  const std::string &name() const { return name_; }

  // Runs once, right after the event loop has started.
  virtual void appMain() {}
  // Makes, registers and shows the main window. Override to make a window of
  // your own class and pass it to registerWindow. With a main window already
  // open, returns that one: the program has a single main window.
  virtual vCmdWindow *newAppWin(const char *name, int width, int height);
  // Closes a registered window (the user closed it, or Exit). The window is
  // hidden and kept until the application ends; when no window is left open,
  // the event loop ends.
  virtual void closeAppWin(vCmdWindow *window);
  // Closes every open main window through closeAppWin, then ends the loop.
  void exitApp();

  // Schedules appMain and runs the event loop; returns its exit code.
  int run();

  bool isOpen(const vCmdWindow *window) const;
  vCmdWindow *mainWindow() const { return open_.empty() ? nullptr : open_.front(); }

protected:
  vCmdWindow *registerWindow(std::unique_ptr<vCmdWindow> window);

private:
  std::string name_;
  std::unique_ptr<QApplication> ownApp_;
  std::vector<std::unique_ptr<vCmdWindow>> windows_;
  std::vector<vCmdWindow *> open_;
};

} // namespace hs
