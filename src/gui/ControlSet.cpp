#include "gui/ControlSet.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <map>

namespace hs {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 4;

// A spin box that shows the texts of a list; its value is the list index.
class TextSpinBox : public QSpinBox {
public:
  TextSpinBox(std::span<const char *const> items, QWidget *parent)
      : QSpinBox(parent), items_(items) {
    setRange(0, std::max(0, static_cast<int>(items_.size()) - 1));
    setWrapping(false);
  }

protected:
  QString textFromValue(int value) const override {
    if (value < 0 || static_cast<std::size_t>(value) >= items_.size())
      return {};
    return QString::fromUtf8(items_[static_cast<std::size_t>(value)]);
  }
  int valueFromText(const QString &text) const override {
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (text == QString::fromUtf8(items_[i]))
        return static_cast<int>(i);
    return value();
  }
  QValidator::State validate(QString &text, int &) const override {
    for (const char *item : items_)
      if (text == QString::fromUtf8(item))
        return QValidator::Acceptable;
    return QValidator::Intermediate;
  }

private:
  std::span<const char *const> items_;
};

QLabel *makeLabel(const CommandObject &r, QWidget *parent) {
  auto *label = new QLabel(QString::fromUtf8(r.label), parent);
  // A label of blanks still takes the room of its blanks.
  const QFontMetrics fm(label->font());
  label->setMinimumWidth(fm.horizontalAdvance(label->text()));
  return label;
}

} // namespace

ControlSet::ControlSet(QWidget *host, std::span<const CommandObject> table, Layout layout,
                       Handler handler)
    : table_(table), handler_(std::move(handler)) {
  std::map<int, QWidget *> frames;
  for (const CommandObject &r : table_) {
    QWidget *parent = host;
    if (r.frame != 0) {
      auto it = frames.find(r.frame);
      if (it != frames.end())
        parent = it->second;
    }
    QWidget *w = build(r, parent);
    if (r.kind == CmdKind::Frame)
      frames[r.id] = w;
    controls_.push_back({&r, w});
  }
  if (layout == Layout::Row) {
    auto *row = new QHBoxLayout(host);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(kGap);
    for (const Control &c : controls_) {
      // A bar's buttons leave the keyboard where it was (the map, as a rule).
      if (qobject_cast<QAbstractButton *>(c.widget) != nullptr)
        c.widget->setFocusPolicy(Qt::NoFocus);
      if (c.record->frame == 0)
        row->addWidget(c.widget);
    }
    row->addStretch(1);
  } else {
    place();
  }
}

QWidget *ControlSet::build(const CommandObject &r, QWidget *parent) {
  const QString label = QString::fromUtf8(r.label);
  QWidget *w = nullptr;
  const int id = r.id;
  const CmdKind kind = r.kind;
  switch (r.kind) {
  case CmdKind::Button: {
    auto *b = new QPushButton(label, parent);
    b->setAutoDefault(false);
    b->setDefault((r.attributes & kDefaultButton) != 0);
    QObject::connect(b, &QPushButton::clicked, b, [this, id, kind] { handler_(id, 0, kind); });
    w = b;
    break;
  }
  case CmdKind::ToggleButton: {
    auto *b = new QToolButton(parent);
    b->setText(label);
    b->setCheckable(true);
    b->setChecked(r.value != 0);
    // clicked, not toggled: a state set by the program sends no command.
    QObject::connect(b, &QToolButton::clicked, b,
                     [this, id, kind](bool on) { handler_(id, on ? 1 : 0, kind); });
    w = b;
    break;
  }
  case CmdKind::CheckBox:
  case CmdKind::RadioButton: {
    QAbstractButton *b = r.kind == CmdKind::CheckBox
                             ? static_cast<QAbstractButton *>(new QCheckBox(label, parent))
                             : static_cast<QAbstractButton *>(new QRadioButton(label, parent));
    b->setChecked(r.value != 0);
    QObject::connect(b, &QAbstractButton::clicked, b,
                     [this, id, kind](bool on) { handler_(id, on ? 1 : 0, kind); });
    w = b;
    break;
  }
  case CmdKind::Spinner: {
    auto *s = new TextSpinBox(r.items, parent);
    s->setValue(r.value);
    // Program changes block signals, so every change seen here is the user's.
    QObject::connect(s, &QSpinBox::valueChanged, s,
                     [this, id, kind](int v) { handler_(id, v, kind); });
    w = s;
    break;
  }
  case CmdKind::TextEntry: {
    auto *e = new QLineEdit(label, parent);
    if (r.size > 0) {
      const QFontMetrics fm(e->font());
      e->setFixedWidth(fm.horizontalAdvance(QLatin1Char('0')) * r.size + 12);
    }
    w = e;
    break;
  }
  case CmdKind::Frame:
    w = new QGroupBox(label, parent);
    break;
  case CmdKind::BlankLabel:
  case CmdKind::StaticText:
  case CmdKind::Menu:
    w = makeLabel(r, parent);
    break;
  }
  w->setObjectName(QStringLiteral("cmd%1").arg(r.id));
  if (r.tip != nullptr)
    w->setToolTip(QString::fromUtf8(r.tip));
  w->setEnabled(r.enabled);
  return w;
}

namespace {

// Labels get the height of an entry, so a label and the entry beside it line
// up when both stand below the row before.
QSize controlSize(QWidget *w, int rowHeight) {
  QSize s = w->sizeHint().expandedTo(w->minimumSize());
  if (qobject_cast<QLabel *>(w) != nullptr)
    s.setHeight(std::max(s.height(), rowHeight));
  if (w->maximumWidth() == w->minimumWidth() && w->minimumWidth() > 0)
    s.setWidth(w->minimumWidth());
  return s;
}

// Where a control inside a frame goes: right of and below the controls its
// record names, counted only when they stand in the same frame.
QPoint framedPosition(const CommandObject &r, const std::map<int, QRect> &known,
                      const std::map<int, int> &frameOf, int top) {
  int x = kMargin;
  int y = top;
  auto sameParent = [&](int other) {
    auto f = frameOf.find(other);
    return f != frameOf.end() && f->second == r.frame;
  };
  if (r.rightOf != 0)
    if (auto it = known.find(r.rightOf); it != known.end() && sameParent(r.rightOf))
      x = it->second.right() + 1 + kGap;
  if (r.below != 0)
    if (auto it = known.find(r.below); it != known.end() && sameParent(r.below))
      y = it->second.bottom() + 1 + kGap;
  return {x, y};
}

// Where a top-level control goes; absolute holds every control placed so far
// in the dialog's coordinates, those inside frames included.
QPoint topLevelPosition(const CommandObject &r, const std::map<int, QRect> &absolute) {
  int x = kMargin;
  int y = kMargin;
  if (r.rightOf != 0)
    if (auto it = absolute.find(r.rightOf); it != absolute.end())
      x = it->second.right() + 1 + kGap;
  if (r.below != 0)
    if (auto it = absolute.find(r.below); it != absolute.end())
      y = it->second.bottom() + 1 + kGap;
  return {x, y};
}

} // namespace

// Places each control right of and below the controls its record names. A
// frame's controls are placed inside it first, so the frame knows its size;
// names of controls outside the frame then count from the frame's edge.
void ControlSet::place() {
  std::map<int, QRect> rects; // geometry in the coordinates of each control's parent
  std::map<int, QRect> absolute;
  std::map<int, int> frameOf;
  for (const Control &c : controls_)
    frameOf[c.record->id] = c.record->frame;
  const int rowHeight = QLineEdit().sizeHint().height();

  // Inside frames.
  std::map<int, QSize> frameSizes;
  for (const Control &c : controls_) {
    const CommandObject &r = *c.record;
    if (r.frame == 0)
      continue;
    auto *box = qobject_cast<QGroupBox *>(c.widget->parentWidget());
    const int top = box != nullptr ? QFontMetrics(box->font()).height() + kGap : kMargin;
    const QRect g(framedPosition(r, rects, frameOf, top), controlSize(c.widget, rowHeight));
    rects[r.id] = g;
    c.widget->setGeometry(g);
    QSize &fs = frameSizes[r.frame];
    fs = fs.expandedTo(QSize(g.right() + 1 + kMargin, g.bottom() + 1 + kMargin));
  }

  // At the top level; a reference into a frame uses the control's place in the dialog.
  QSize total(0, 0);
  for (const Control &c : controls_) {
    const CommandObject &r = *c.record;
    if (r.frame != 0) {
      auto f = absolute.find(r.frame);
      const QPoint origin = f != absolute.end() ? f->second.topLeft() : QPoint(0, 0);
      absolute[r.id] = rects[r.id].translated(origin);
      continue;
    }
    QSize s = controlSize(c.widget, rowHeight);
    if (r.kind == CmdKind::Frame)
      if (auto fs = frameSizes.find(r.id); fs != frameSizes.end())
        s = s.expandedTo(fs->second);
    const QRect g(topLevelPosition(r, absolute), s);
    c.widget->setGeometry(g);
    rects[r.id] = g;
    absolute[r.id] = g;
    total = total.expandedTo(QSize(g.right() + 1 + kMargin, g.bottom() + 1 + kMargin));
  }
  placedSize_ = total;
}

const ControlSet::Control *ControlSet::find(int id) const {
  for (const Control &c : controls_)
    if (c.record->id == id)
      return &c;
  return nullptr;
}

QWidget *ControlSet::widget(int id) const {
  const Control *c = find(id);
  return c != nullptr ? c->widget : nullptr;
}

const CommandObject *ControlSet::record(int id) const {
  const Control *c = find(id);
  return c != nullptr ? c->record : nullptr;
}

int ControlSet::value(int id) const {
  const Control *c = find(id);
  if (c == nullptr)
    return 0;
  if (auto *s = qobject_cast<QSpinBox *>(c->widget))
    return s->value();
  if (auto *b = qobject_cast<QAbstractButton *>(c->widget))
    return b->isCheckable() ? (b->isChecked() ? 1 : 0) : (b->isEnabled() ? 1 : 0);
  return 0;
}

bool ControlSet::setValue(int id, int value) {
  const Control *c = find(id);
  if (c == nullptr)
    return false;
  const QSignalBlocker block(c->widget);
  if (auto *s = qobject_cast<QSpinBox *>(c->widget)) {
    s->setValue(value);
    return true;
  }
  if (auto *b = qobject_cast<QAbstractButton *>(c->widget); b != nullptr && b->isCheckable()) {
    b->setChecked(value != 0);
    return true;
  }
  return false;
}

bool ControlSet::setSensitive(int id, bool enabled) {
  const Control *c = find(id);
  if (c == nullptr)
    return false;
  c->widget->setEnabled(enabled);
  return true;
}

std::string ControlSet::text(int id) const {
  const Control *c = find(id);
  if (c == nullptr)
    return {};
  QString t;
  if (auto *e = qobject_cast<QLineEdit *>(c->widget))
    t = e->text();
  else if (auto *l = qobject_cast<QLabel *>(c->widget))
    t = l->text();
  else if (auto *b = qobject_cast<QAbstractButton *>(c->widget))
    t = b->text();
  else if (auto *g = qobject_cast<QGroupBox *>(c->widget))
    t = g->title();
  else if (auto *s = qobject_cast<QSpinBox *>(c->widget))
    t = s->text();
  return t.toStdString();
}

bool ControlSet::setText(int id, const std::string &text) {
  const Control *c = find(id);
  if (c == nullptr)
    return false;
  const QString t = QString::fromStdString(text);
  const QSignalBlocker block(c->widget);
  if (auto *e = qobject_cast<QLineEdit *>(c->widget))
    e->setText(t);
  else if (auto *l = qobject_cast<QLabel *>(c->widget)) {
    l->setText(t);
    if (l->parentWidget() != nullptr && l->parentWidget()->layout() == nullptr)
      l->resize(std::max(l->width(), l->sizeHint().width()), l->height());
  } else if (auto *b = qobject_cast<QAbstractButton *>(c->widget))
    b->setText(t);
  else if (auto *g = qobject_cast<QGroupBox *>(c->widget))
    g->setTitle(t);
  else
    return false;
  return true;
}

} // namespace hs
