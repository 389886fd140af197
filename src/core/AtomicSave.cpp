#include "core/AtomicSave.h"

#include "core/QtPaths.h"

#include <QSaveFile>

namespace hs {

bool saveAtomically(const std::string &fileName, const WriteText &write) {
  QSaveFile file(toQtPath(fileName));
  return saveAtomically(file, write);
}

bool saveAtomically(QSaveFile &file, const WriteText &write) {
  if (file.fileName().isEmpty() || !file.open(QIODevice::WriteOnly))
    return false;
  // QSaveFile buffers; a write that did not fit on the disk may only fail at
  // the flush, and commit() does not always report it, so the flush is checked
  // here before the temporary file may replace the earlier one.
  bool ok = write(file) && file.flush() && file.error() == QFileDevice::NoError;
  if (!ok) {
    file.cancelWriting();
    file.commit(); // removes the temporary file; the earlier one is untouched
    return false;
  }
  return file.commit();
}

} // namespace hs
