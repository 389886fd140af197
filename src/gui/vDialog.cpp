#include "gui/vDialog.h"

#include "gui/vCmdWindow.h"
#include "gui/vInteraction.h"

#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace hs {

vDialog::vDialog(QWidget *parent, const char *title) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(title));
}

vDialog::~vDialog() = default;

void vDialog::addDialogCmds(std::span<const CommandObject> table) {
  controls_ = std::make_unique<ControlSet>(
      this, table, ControlSet::Layout::Placed,
      [this](int id, int value, CmdKind kind) { onCommand(id, value, kind); });
  setFixedSize(controls_->placedSize());
}

void vDialog::showDialog(const char *message) {
  if (message != nullptr && *message != '\0' && controls_ != nullptr)
    for (const CommandObject &r : controls_->table())
      if ((r.attributes & kMainMessage) != 0)
        controls_->setText(r.id, message);
  lastCommand_ = 0;
  show();
  onShown();
}

void vDialog::closeDialog() { done(QDialog::Accepted); }

void vDialog::cancelDialog() { done(QDialog::Rejected); }

void vDialog::setDialogTitle(const char *title) { setWindowTitle(QString::fromUtf8(title)); }

void vDialog::onCommand(int id, int, CmdKind) {
  if (id == kOkId) {
    lastCommand_ = id;
    closeDialog();
  } else if (id == kCancelId) {
    lastCommand_ = id;
    cancelDialog();
  }
}

void vDialog::reject() {
  if (controls_ != nullptr && controls_->has(kCancelId))
    onCommand(kCancelId, 0, CmdKind::Button);
  else
    cancelDialog();
}

std::string vDialog::getText(int id) const {
  return controls_ ? controls_->text(id) : std::string();
}
bool vDialog::setText(int id, const std::string &text) {
  if (!controls_ || !controls_->setText(id, text))
    return false;
  // A longer text must not be cut off by the dialog's edge.
  if (QWidget *w = controls_->widget(id)) {
    const QRect g(w->mapTo(this, QPoint(0, 0)), w->size());
    const QSize need(g.right() + 1 + 8, g.bottom() + 1 + 8);
    if (need.width() > width() || need.height() > height())
      setFixedSize(size().expandedTo(need));
  }
  return true;
}
int vDialog::getValue(int id) const { return controls_ ? controls_->value(id) : 0; }
bool vDialog::setValue(int id, int value) { return controls_ && controls_->setValue(id, value); }
bool vDialog::setSensitive(int id, bool enabled) {
  return controls_ && controls_->setSensitive(id, enabled);
}
QWidget *vDialog::control(int id) const { return controls_ ? controls_->widget(id) : nullptr; }

QPoint dialogFramePosition(const QRect &mainFrame, QPoint offset, QSize dialogFrame,
                           const QRect &available) {
  QPoint at = mainFrame.topLeft() + offset;
  if (!available.isValid())
    return at;
  at.setX(
      std::max(std::min(at.x(), available.right() + 1 - dialogFrame.width()), available.left()));
  at.setY(
      std::max(std::min(at.y(), available.bottom() + 1 - dialogFrame.height()), available.top()));
  return at;
}

namespace {

QMargins frameMarginsOf(const QWidget &w) {
  const QRect f = w.frameGeometry();
  const QRect g = w.geometry();
  return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

} // namespace

void placeFrameFrom(QWidget &window, const QWidget *main, QPoint offset) {
  // Until the window manager has framed the window its frame is unknown; the
  // main window's frame is the best guess for it.
  QMargins margins = frameMarginsOf(window);
  if (margins.isNull() && main != nullptr)
    margins = frameMarginsOf(*main);
  const QScreen *screen = main != nullptr ? main->screen() : window.screen();
  const QPoint frameAt = dialogFramePosition(
      main != nullptr ? main->frameGeometry() : QRect(), offset, window.size().grownBy(margins),
      screen != nullptr ? screen->availableGeometry() : QRect());
  // The inside is placed, not the frame: a frame position is only turned into
  // the right inside position once the frame is known.
  window.setGeometry(QRect(frameAt + QPoint(margins.left(), margins.top()), window.size()));
}

void vDialog::placeFromMainWindow(int dx, int dy) {
  QWidget *main = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  // Below the main window's bars, so a dialog leaves the buttons it works
  // with in sight.
  if (const auto *window = dynamic_cast<const vCmdWindow *>(main))
    dy += frameMarginsOf(*window).top() + window->commandBarsBottom();
  placeFrameFrom(*this, main, QPoint(dx, dy));
}

vModalDialog::vModalDialog(QWidget *parent, const char *title) : vDialog(parent, title) {
  setModal(true);
}

int vModalDialog::showModalDialog(const char *message) {
  if (vInteraction *stand = interaction()) {
    showDialog(message);
    stand->runModal(*this);
    if (isDisplayed())
      reject();
    return lastCommand();
  }
  showDialog(message);
  exec();
  return lastCommand();
}

} // namespace hs
