#include "gui/vCmdWindow.h"

#include "gui/vApp.h"
#include "gui/vCanvasPane.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace hs {

vCmdWindow::vCmdWindow(const char *name, int width, int height) {
  setWindowTitle(QString::fromUtf8(name));
  auto *central = new QWidget(this);
  body_ = new QVBoxLayout(central);
  body_->setContentsMargins(0, 0, 0, 0);
  body_->setSpacing(0);
  bars_ = new QVBoxLayout;
  bars_->setSpacing(0);
  body_->addLayout(bars_);
  setCentralWidget(central);
  resize(width, height);
}

vCmdWindow::~vCmdWindow() = default;

int vCmdWindow::commandBarsBottom() const {
  const QWidget *below =
      canvas_ != nullptr ? static_cast<const QWidget *>(canvas_) : centralWidget();
  return below->mapTo(this, QPoint(0, 0)).y();
}

vMenuPane *vCmdWindow::addMenuPane(std::unique_ptr<vMenuPane> pane) {
  pane->build(menuBar(),
              [this](int id, int value, CmdKind kind) { windowCommand(id, value, kind); });
  menus_.push_back(std::move(pane));
  return menus_.back().get();
}

vCommandPane *vCmdWindow::addCommandPane(vCommandPane *pane) {
  pane->build([this](int id, int value, CmdKind kind) { windowCommand(id, value, kind); });
  bars_->insertWidget(0, pane); // the newest bar goes on top
  commandPanes_.push_back(pane);
  return pane;
}

vCanvasPane *vCmdWindow::addCanvasPane(vCanvasPane *pane) {
  if (canvas_ != nullptr) {
    body_->removeWidget(canvas_);
    delete canvas_;
  }
  canvas_ = pane;
  body_->addWidget(pane, 1);
  return pane;
}

vStatusPane *vCmdWindow::addStatusPane(std::unique_ptr<vStatusPane> pane) {
  pane->build(statusBar());
  statusPanes_.push_back(std::move(pane));
  return statusPanes_.back().get();
}

void vCmdWindow::windowCommand(int id, int, CmdKind) {
  if (id == kExitId) {
    if (vApp *app = vApp::instance())
      app->exitApp();
    else
      close();
  }
}

ControlSet *vCmdWindow::controlsWith(int id) const {
  for (vCommandPane *p : commandPanes_)
    if (p->controls() != nullptr && p->controls()->has(id))
      return p->controls();
  return nullptr;
}

bool vCmdWindow::setValue(int id, int value) {
  if (ControlSet *c = controlsWith(id))
    return c->setValue(id, value);
  if (QAction *a = menuAction(id)) {
    const QSignalBlocker block(a);
    a->setCheckable(true);
    a->setChecked(value != 0);
    return true;
  }
  return false;
}

bool vCmdWindow::setSensitive(int id, bool enabled) {
  // A command on a bar and in a menu is enabled or disabled in both.
  bool found = false;
  if (QAction *a = menuAction(id)) {
    a->setEnabled(enabled);
    found = true;
  }
  if (ControlSet *c = controlsWith(id))
    found = c->setSensitive(id, enabled) || found;
  return found;
}

int vCmdWindow::getValue(int id) const {
  if (ControlSet *c = controlsWith(id))
    return c->value(id);
  if (QAction *a = menuAction(id))
    return a->isCheckable() ? (a->isChecked() ? 1 : 0) : (a->isEnabled() ? 1 : 0);
  return 0;
}

bool vCmdWindow::setString(int id, const char *text) {
  const QString t = QString::fromUtf8(text != nullptr ? text : "");
  if (QLabel *l = statusLabel(id)) {
    l->setText(t);
    return true;
  }
  if (QAction *a = menuAction(id)) {
    a->setText(t);
    return true;
  }
  if (ControlSet *c = controlsWith(id))
    return c->setText(id, t.toStdString());
  return false;
}

std::string vCmdWindow::getString(int id) const {
  if (QLabel *l = statusLabel(id))
    return l->text().toStdString();
  if (QAction *a = menuAction(id))
    return a->text().toStdString();
  if (ControlSet *c = controlsWith(id))
    return c->text(id);
  return {};
}

QWidget *vCmdWindow::control(int id) const {
  ControlSet *c = controlsWith(id);
  return c != nullptr ? c->widget(id) : nullptr;
}

QAction *vCmdWindow::menuAction(int id) const {
  for (const auto &m : menus_)
    if (QAction *a = m->action(id))
      return a;
  return nullptr;
}

QLabel *vCmdWindow::statusLabel(int id) const {
  for (const auto &s : statusPanes_)
    if (QLabel *l = s->label(id))
      return l;
  return nullptr;
}

void vCmdWindow::keyPressEvent(QKeyEvent *event) {
  QWidget *focus = focusWidget();
  const bool typing = qobject_cast<QLineEdit *>(focus) != nullptr ||
                      qobject_cast<QAbstractSpinBox *>(focus) != nullptr ||
                      qobject_cast<QTextEdit *>(focus) != nullptr ||
                      qobject_cast<QPlainTextEdit *>(focus) != nullptr;
  if (canvas_ == nullptr || typing) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  canvas_->keyPress(*event);
}

void vCmdWindow::keyReleaseEvent(QKeyEvent *event) {
  if (canvas_ != nullptr)
    canvas_->keyRelease(*event);
  QMainWindow::keyReleaseEvent(event);
}

void vCmdWindow::changeEvent(QEvent *event) {
  // Keys held while another window has the keyboard are that window's.
  if (canvas_ != nullptr && event->type() == QEvent::ActivationChange && !isActiveWindow())
    canvas_->forgetKeys();
  QMainWindow::changeEvent(event);
}

void vCmdWindow::closeEvent(QCloseEvent *event) {
  if (!mayClose()) {
    event->ignore();
    return;
  }
  // A window of the application closes through the application, so a program
  // can do its last work (saving settings) in one place.
  vApp *app = vApp::instance();
  if (app != nullptr && app->isOpen(this)) {
    app->closeAppWin(this);
    event->accept();
    return;
  }
  QMainWindow::closeEvent(event);
}

} // namespace hs
