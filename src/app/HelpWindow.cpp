#include "app/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// Q_INIT_RESOURCE names a function of the global namespace.
static void initHelpResource() { Q_INIT_RESOURCE(Hillstrew); }

namespace hs {

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
  initHelpResource();
  setWindowTitle("Hillstrew Help");
  setModal(false);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl("qrc:/help/Hillstrew.html"));
  resize(560, 520);
}

void HelpWindow::showContext(int context) {
  show();
  raise();
  browser_->scrollToAnchor(QString("context%1").arg(context));
}

} // namespace hs
