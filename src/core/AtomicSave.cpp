#include "core/AtomicSave.h"

#include "core/QtPaths.h"

#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace hs {

std::string SaveResult::why(const std::string &shownName) const {
  switch (status) {
  case SaveStatus::Saved:
    return {};
  case SaveStatus::NotRegularFile:
    return shownName + std::string(": not a regular file; nothing was written");
  case SaveStatus::ReadOnly:
    return shownName + std::string(" is read-only; nothing was written");
  case SaveStatus::OwnerNotKept:
    return shownName + std::string(": its owner and group cannot be kept; nothing was written");
  case SaveStatus::Failed:
    break;
  }
  return shownName + std::string(": cannot be written; nothing was written");
}

std::string saveFailureMessage(const char *message, const SaveResult &result,
                               const std::string &fileName) {
  std::string text = message;
  if (result.status != SaveStatus::Failed && result.status != SaveStatus::Saved) {
    text += '\n';
    text += result.why(fileName);
  }
  return text;
}

namespace {

// Through a link to the file it names, as QSaveFile writes there too.
SaveStatus replaceable(const std::string &fileName, const struct stat *old) {
  if (!old)
    return SaveStatus::Saved;
  if (!S_ISREG(old->st_mode))
    return SaveStatus::NotRegularFile;
  // Root may write anything, so the mode decides for it.
  if ((old->st_mode & 0222) == 0 || ::access(fileName.c_str(), W_OK) != 0)
    return SaveStatus::ReadOnly;
  return SaveStatus::Saved;
}

// Gives the new file the mode, owner and group of the one it replaces. The
// owner is only set where it differs, as only root may give a file away.
SaveStatus keepOwnerAndMode(QSaveFile &file, const struct stat &old) {
  const int fd = static_cast<int>(file.handle());
  struct stat now {};
  if (fd < 0 || ::fstat(fd, &now) != 0)
    return SaveStatus::Failed;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0)
    return SaveStatus::OwnerNotKept;
  // After the owner, since a change of owner clears the set-id bits.
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? SaveStatus::Saved : SaveStatus::Failed;
}

SaveStatus save(const std::string &fileName, const WriteText &write) {
  const QString name = toQtPath(fileName);
  if (name.isEmpty())
    return SaveStatus::Failed;
  struct stat old {};
  const bool exists = ::stat(fileName.c_str(), &old) == 0;
  if (const SaveStatus may = replaceable(fileName, exists ? &old : nullptr);
      may != SaveStatus::Saved)
    return may;

  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly))
    return SaveStatus::Failed;
  SaveStatus kept = exists ? keepOwnerAndMode(file, old) : SaveStatus::Saved;
  // QSaveFile buffers; a write that did not fit on the disk may only fail at
  // the flush, and commit() does not always report it, so the flush is checked
  // here before the temporary file may replace the earlier one.
  if (kept == SaveStatus::Saved &&
      !(write(file) && file.flush() && file.error() == QFileDevice::NoError))
    kept = SaveStatus::Failed;
  if (kept != SaveStatus::Saved) {
    file.cancelWriting();
    file.commit(); // removes the temporary file; the earlier one is untouched
    return kept;
  }
  return file.commit() ? SaveStatus::Saved : SaveStatus::Failed;
}

} // namespace

SaveResult mayReplace(const std::string &fileName) {
  struct stat old {};
  const bool exists = ::stat(fileName.c_str(), &old) == 0;
  return SaveResult{replaceable(fileName, exists ? &old : nullptr)};
}

SaveResult saveAtomically(const std::string &fileName, const WriteText &write) {
  return SaveResult{save(fileName, write)};
}

} // namespace hs
