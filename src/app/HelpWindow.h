#pragma once

#include <QDialog>

class QTextBrowser;

namespace hs {

// The program's help page (compiled into the program) in a window of its own
// that stays open beside the main window.
class HelpWindow : public QDialog {
public:
  explicit HelpWindow(QWidget *parent);

  // Shows the window at the section of a context number ("context20" and so on).
  void showContext(int context);
  QTextBrowser *browser() const { return browser_; }

private:
  QTextBrowser *browser_;
};

} // namespace hs
