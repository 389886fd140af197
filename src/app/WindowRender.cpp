// The main window's long work: choosing the render engine, and work that
// runs off the event loop with progress and Cancel.
#include "app/PlaceCmdWindow.h"
#include "core/Names.h"
#include "gui/vInteraction.h"
#include "io/Render.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

namespace hs {

void PlaceCmdWindow::chooseEngineCommand() {
  chooseEngine(values_, *this,
               [this](const char *title, std::string &name, const QStringList &filters) {
                 std::vector<std::string> texts;
                 texts.reserve(static_cast<std::size_t>(filters.size()));
                 for (const QString &f : filters)
                   texts.push_back(f.toStdString());
                 std::vector<const char *> list;
                 list.reserve(texts.size());
                 for (const std::string &t : texts)
                   list.push_back(t.c_str());
                 return vFileSelect(this).fileSelect(title, name, kMaxNameLength, list,
                                                     engineFilter_) == FileResult::Chosen;
               });
}

bool PlaceCmdWindow::runWithProgress(const char *title,
                                     const std::function<void(const ProgressReport &)> &work) {
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  std::atomic<int> permille{0};
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work([&](double part) {
        permille = static_cast<int>(std::clamp(part, 0.0, 1.0) * 1000);
        return !cancel.load();
      });
    } catch (...) {
      failure = std::current_exception();
    }
    done = true;
  });
  // The window shows at once that it is busy, and keeps repainting (what a
  // closed chooser covered, say); the user's input waits. Work that ends
  // within a moment shows nothing more.
  QApplication::setOverrideCursor(Qt::BusyCursor);
  QElapsedTimer waited;
  waited.start();
  while (!done && waited.elapsed() < progressDelay_) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (!done) {
    QProgressDialog progress(QString::fromUtf8(title), QStringLiteral("Cancel"), 0, 1000, this);
    // Nothing else may change the scene while the work reads it.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setValue(permille);
    while (!done) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (progress.wasCanceled())
        cancel = true;
      else
        progress.setValue(permille);
    }
  }
  worker.join();
  QApplication::restoreOverrideCursor();
  if (failure)
    std::rethrow_exception(failure);
  return !cancel;
}

} // namespace hs
