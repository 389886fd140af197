#include "gui/vPanes.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <cstring>

namespace hs {

QAction *vMenuPane::action(int id) const {
  auto it = actions_.find(id);
  return it != actions_.end() ? it->second : nullptr;
}

void vMenuPane::build(QMenuBar *bar, const ControlSet::Handler &handler) {
  for (const MenuRecord &m : menus_) {
    QMenu *menu = bar->addMenu(QString::fromUtf8(m.label));
    menu->setEnabled(m.enabled);
    actions_[m.id] = menu->menuAction();
    addEntries(menu, m.submenu, handler);
  }
}

void vMenuPane::addEntries(QMenu *menu, std::span<const MenuRecord> entries,
                           const ControlSet::Handler &handler) {
  for (const MenuRecord &e : entries) {
    if (std::strcmp(e.label, "-") == 0) {
      menu->addSeparator();
      continue;
    }
    if (!e.submenu.empty()) {
      QMenu *sub = menu->addMenu(QString::fromUtf8(e.label));
      sub->setEnabled(e.enabled);
      actions_[e.id] = sub->menuAction();
      addEntries(sub, e.submenu, handler);
      continue;
    }
    QAction *a = menu->addAction(QString::fromUtf8(e.label));
    a->setEnabled(e.enabled);
    if (e.checked || e.checkable) {
      a->setCheckable(true);
      a->setChecked(e.checked);
    }
    if (e.shortcuts != nullptr)
      a->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(e.shortcuts)));
    const int id = e.id;
    // triggered, not toggled: only the user's choice is a command.
    QObject::connect(a, &QAction::triggered, a,
                     [handler, id](bool on) { handler(id, on ? 1 : 0, CmdKind::Menu); });
    actions_[id] = a;
  }
}

void vCommandPane::build(ControlSet::Handler handler) {
  controls_ =
      std::make_unique<ControlSet>(this, table_, ControlSet::Layout::Row, std::move(handler));
}

QLabel *vStatusPane::label(int id) const {
  auto it = widgets_.find(id);
  return it != widgets_.end() ? it->second : nullptr;
}

void vStatusPane::addWidget(QWidget *widget) {
  if (bar_ != nullptr)
    bar_->addPermanentWidget(widget);
}

void vStatusPane::build(QStatusBar *bar) {
  bar_ = bar;
  for (const StatusLabel &s : labels_) {
    auto *l = new QLabel(QString::fromUtf8(s.text), bar);
    l->setObjectName(QStringLiteral("status%1").arg(s.id));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(l);
    widgets_[s.id] = l;
  }
}

} // namespace hs
