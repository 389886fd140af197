#include "gui/vApp.h"

#include "gui/vCmdWindow.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>

namespace hs {

namespace {
vApp *current = nullptr;
}

vApp::vApp(const char *name, int &argc, char **argv) : name_(name) {
  if (QApplication::instance() == nullptr)
    ownApp_ = std::make_unique<QApplication>(argc, argv);
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
  QTimer::singleShot(0, [this] { appMain(); });
  return QApplication::exec();
}

} // namespace hs
