#pragma once

#include "gui/CommandObject.h"
#include "gui/ControlSet.h"

#include <QWidget>

#include <map>
#include <memory>
#include <span>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;

namespace hs {

// The menu bar, built from a table of menu records. Each chosen entry is
// reported as (id, checked state, CmdKind::Menu).
class vMenuPane {
public:
  explicit vMenuPane(std::span<const MenuRecord> menus) : menus_(menus) {}

  std::span<const MenuRecord> table() const { return menus_; }
  // The action of an entry, or nullptr (separators have none).
  QAction *action(int id) const;

private:
  friend class vCmdWindow;
  void build(QMenuBar *bar, const ControlSet::Handler &handler);
  void addEntries(QMenu *menu, std::span<const MenuRecord> entries,
                  const ControlSet::Handler &handler);

  std::span<const MenuRecord> menus_;
  std::map<int, QAction *> actions_;
};

// A command bar: a row of controls built from a CommandObject table.
class vCommandPane : public QWidget {
public:
  explicit vCommandPane(std::span<const CommandObject> table) : table_(table) {}

  std::span<const CommandObject> table() const { return table_; }
  // The controls, once the pane has been added to a window.
  ControlSet *controls() const { return controls_.get(); }

private:
  friend class vCmdWindow;
  void build(ControlSet::Handler handler);

  std::span<const CommandObject> table_;
  std::unique_ptr<ControlSet> controls_;
};

// The status bar: labels left to right, found by id.
class vStatusPane {
public:
  explicit vStatusPane(std::span<const StatusLabel> labels) : labels_(labels) {}

  QLabel *label(int id) const;
  // Puts a widget of the program's own (a progress text, a button) at the
  // right end of the bar, once the pane has been added to a window.
  void addWidget(QWidget *widget);

private:
  friend class vCmdWindow;
  void build(QStatusBar *bar);

  std::span<const StatusLabel> labels_;
  QStatusBar *bar_ = nullptr;
  std::map<int, QLabel *> widgets_;
};

} // namespace hs
