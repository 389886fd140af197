#include "app/AreasWindow.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace hs {

AreasWindow::AreasWindow(QWidget *parent, Document &document, AsStep asStep)
    : QWidget(parent, Qt::Tool), document_(document), asStep_(std::move(asStep)),
      list_(new QListWidget(this)), fillsToo_(new QCheckBox("Keeps the fills out too", this)),
      delete_(new QPushButton("Delete", this)) {
  setWindowTitle("Areas");
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(fillsToo_);
  layout->addWidget(delete_);
  QObject::connect(list_, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
  QObject::connect(delete_, &QPushButton::clicked, this, [this] {
    change("Delete Area",
           [](std::vector<Area> &areas, int row) { areas.erase(areas.begin() + row); });
  });
  QObject::connect(fillsToo_, &QCheckBox::clicked, this, [this](bool on) {
    change("Area Keeps Fills Out",
           [on](std::vector<Area> &areas, int row) { areas[std::size_t(row)].keepsFillsOut = on; });
  });
  listener_ = document_.addListener([this](const DocumentChange &c) {
    if (c.kind == DocumentChange::Areas)
      showAreas();
  });
  showAreas();
}

AreasWindow::~AreasWindow() { document_.removeListener(listener_); }

void AreasWindow::showAreas() {
  const int row = list_->currentRow();
  list_->clear();
  int n = 0;
  for (const Area &a : document_.areas())
    list_->addItem(QString("Area %1: %2 corners from %3,%4%5")
                       .arg(++n)
                       .arg(a.corners.size())
                       .arg(a.corners[0].x)
                       .arg(a.corners[0].z)
                       .arg(a.keepsFillsOut ? ", fills too" : ""));
  list_->setCurrentRow(std::min(row, list_->count() - 1));
  showSelected();
}

void AreasWindow::showSelected() {
  const int row = list_->currentRow();
  const bool any = row >= 0 && row < static_cast<int>(document_.areas().size());
  fillsToo_->setEnabled(any);
  delete_->setEnabled(any);
  fillsToo_->setChecked(any && document_.areas()[std::size_t(row)].keepsFillsOut);
}

void AreasWindow::change(const char *step,
                         const std::function<void(std::vector<Area> &, int)> &how) {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(document_.areas().size()))
    return;
  asStep_(step, [&] {
    std::vector<Area> areas = document_.areas();
    how(areas, row);
    document_.setAreas(std::move(areas));
  });
}

} // namespace hs
