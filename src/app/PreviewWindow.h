#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

namespace hs {

// The picture of the last render in a plain window of its own, scaled to fit
// the window. A new picture replaces the old one where the window stands; a
// new window opens near main, wholly on the screen that shows main.
class PreviewWindow : public QWidget {
public:
  explicit PreviewWindow(const QWidget *main = nullptr);

  // Loads the picture at path and shows it; false (and a line saying so in
  // place of the picture) when it cannot be read.
  bool showPicture(const QString &path);
  const QImage &picture() const { return picture_; }
  QLabel *label() const { return label_; }

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  void fit();

  const QWidget *main_;
  QLabel *label_;
  QImage picture_;
};

} // namespace hs
