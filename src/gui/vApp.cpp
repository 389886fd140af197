#include "gui/vApp.h"

#include "gui/vCmdWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <new>

namespace hs {

namespace {

vApp *current = nullptr;

// The last line of defence against running out of memory: a command that did
// not refuse the work itself ends with a notice instead of ending the program.
class GuardedApplication : public QApplication {
public:
  using QApplication::QApplication;
  bool notify(QObject *receiver, QEvent *event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc &) {
      QMessageBox::warning(activeWindow(), QStringLiteral("Notice"),
                           QStringLiteral("Not enough memory to finish that command."));
      return false;
    }
  }
};

} // namespace

vApp::vApp(const char *name, int &argc, char **argv) : name_(name) {
  if (QApplication::instance() == nullptr)
    ownApp_ = std::make_unique<GuardedApplication>(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(name));
  current = this;
}

vApp::~vApp() {
  windows_.clear();
  if (current == this)
    current = nullptr;
}

vApp *vApp::instance() { return current; }

vCmdWindow *vApp::newAppWin(const char *name, int width, int height) {
  if (!open_.empty())
    return open_.front();
  return registerWindow(std::make_unique<vCmdWindow>(name, width, height));
}

vCmdWindow *vApp::registerWindow(std::unique_ptr<vCmdWindow> window) {
  vCmdWindow *w = window.get();
  windows_.push_back(std::move(window));
  open_.push_back(w);
  w->show();
  return w;
}

bool vApp::isOpen(const vCmdWindow *window) const {
  return std::find(open_.begin(), open_.end(), window) != open_.end();
}

void vApp::closeAppWin(vCmdWindow *window) {
  auto it = std::find(open_.begin(), open_.end(), window);
  if (it == open_.end())
    return;
  open_.erase(it);
  window->hide();
  if (open_.empty())
    QApplication::quit();
}

void vApp::exitApp() {
  while (!open_.empty()) {
    vCmdWindow *w = open_.back();
    closeAppWin(w);
    // An override that does not unregister must not keep us here.
    if (!open_.empty() && open_.back() == w)
      open_.pop_back();
  }
  QApplication::quit();
}

int vApp::run() {
  // The timer owns the slot object it is given; the analyzer cannot see that.
  QTimer::singleShot(0, [this] { appMain(); }); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
  return QApplication::exec();
}

} // namespace hs
