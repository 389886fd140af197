#pragma once

#include "core/Document.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace hs {

// "Areas": the areas the document keeps free of scatters, one a line. The
// selected one can be deleted, or set to keep the fills out too; each change
// is a step of the history (through asStep). The list follows the document.
class AreasWindow : public QWidget {
public:
  using AsStep = std::function<void(const char *, const std::function<void()> &)>;
  AreasWindow(QWidget *parent, Document &document, AsStep asStep);
  ~AreasWindow() override;
  AreasWindow(const AreasWindow &) = delete;
  AreasWindow &operator=(const AreasWindow &) = delete;

  QListWidget *list() const { return list_; }
  QCheckBox *fillsToo() const { return fillsToo_; }
  QPushButton *deleteButton() const { return delete_; }

private:
  void showAreas();
  void showSelected();
  void change(const char *step, const std::function<void(std::vector<Area> &, int)> &how);

  Document &document_;
  AsStep asStep_;
  QListWidget *list_;
  QCheckBox *fillsToo_;
  QPushButton *delete_;
  int listener_ = 0;
};

} // namespace hs
