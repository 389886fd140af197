#include "app/PreviewWindow.h"

#include "gui/vDialog.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace hs {

PreviewWindow::PreviewWindow(const QWidget *main) : main_(main), label_(new QLabel(this)) {
  setObjectName(QStringLiteral("renderPreview"));
  label_->setAlignment(Qt::AlignCenter);
  // The label must not hold the window at the picture's size.
  label_->setMinimumSize(1, 1);
  label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label_);
}

bool PreviewWindow::showPicture(const QString &path) {
  const QString name = QFileInfo(path).fileName();
  setWindowTitle(QStringLiteral("Render Preview - ") + name);
  QImageReader reader(path);
  picture_ = reader.read();
  if (picture_.isNull())
    label_->setText(QStringLiteral("Cannot show %1: %2").arg(name, reader.errorString()));
  if (!isVisible()) {
    // A new window takes the picture's size, as far as the screen allows.
    QSize size = picture_.isNull() ? QSize(320, 240) : picture_.size();
    const QScreen *screen = main_ != nullptr ? main_->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
      size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size.expandedTo(QSize(160, 120)));
    placeFrameFrom(*this, main_, QPoint(40, 40));
    show();
  }
  fit();
  raise();
  return !picture_.isNull();
}

void PreviewWindow::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  fit();
}

void PreviewWindow::fit() {
  if (picture_.isNull())
    return;
  const QSize room = label_->size().expandedTo(QSize(1, 1));
  label_->setPixmap(
      QPixmap::fromImage(picture_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace hs
