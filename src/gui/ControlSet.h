#pragma once

#include "gui/CommandObject.h"

#include <QSize>

#include <functional>
#include <span>
#include <string>
#include <vector>

class QWidget;
class QPushButton;

namespace hs {

// The widgets built from one table of CommandObject records, found by id.
// Command bars lay them out left to right; dialogs place them by their
// right-of and below fields. Every user action on a control reaches the
// handler as (id, value, kind); values set from the program never do.
class ControlSet {
public:
  using Handler = std::function<void(int id, int value, CmdKind kind)>;
  enum class Layout { Row, Placed };

  ControlSet(QWidget *host, std::span<const CommandObject> table, Layout layout, Handler handler);

  bool has(int id) const { return find(id) != nullptr; }
  // The widget built for a record, or nullptr for an unknown id.
  QWidget *widget(int id) const;
  const CommandObject *record(int id) const;
  std::span<const CommandObject> table() const { return table_; }

  // 1 for a pressed toggle, a ticked check box or a selected radio button, the
  // index shown by a spinner, whether a button is enabled; 0 for an unknown id.
  int value(int id) const;
  bool setValue(int id, int value);
  bool setSensitive(int id, bool enabled);
  // The label of a control, or the text of an entry.
  std::string text(int id) const;
  bool setText(int id, const std::string &text);

  // The area the placed controls cover, margins included.
  QSize placedSize() const { return placedSize_; }

private:
  struct Control {
    const CommandObject *record;
    QWidget *widget;
  };

  const Control *find(int id) const;
  QWidget *build(const CommandObject &r, QWidget *parent);
  void place();

  std::span<const CommandObject> table_;
  std::vector<Control> controls_;
  Handler handler_;
  QSize placedSize_;
};

} // namespace hs
