#pragma once

#include <functional>
#include <string>

class QIODevice;

namespace hs {

// Fills the device with a file's text; false when any write failed.
using WriteText = std::function<bool(QIODevice &)>;

enum class SaveStatus {
  Saved,
  Failed,         // the system refused a write, the flush or the rename
  NotRegularFile, // the name is a device, a FIFO, a socket or a folder
  ReadOnly,       // the file has no write permission for us
  OwnerNotKept,   // the new file could not be given the old one's owner and group
};

struct SaveResult {
  SaveStatus status = SaveStatus::Failed;
  explicit operator bool() const { return status == SaveStatus::Saved; }
  // Why nothing was written, naming the file, for a notice or a terminal:
  // "NAME: not a regular file; nothing was written", "NAME is read-only;
  // nothing was written". Empty when saved.
  std::string why(const std::string &shownName) const;
};

// Whether fileName may be replaced by a save: Saved when it may (it is a
// regular file we may write, or does not exist yet), else why not. A save
// asks this itself; a long job asks it before starting.
SaveResult mayReplace(const std::string &fileName);

// A window's notice for a failed save: its fixed message, and on a line of
// its own why nothing was written, unless the system simply refused a write.
std::string saveFailureMessage(const char *message, const SaveResult &result,
                               const std::string &fileName);

// The one way the program writes a user's file: the text goes to a temporary
// file beside fileName, every write and the final flush are checked, and only
// then does the temporary file take the name. On any failure (no room, no
// permission, a name that is not UTF-8) the earlier file stays byte for byte
// as it was. A save replaces the file (so a hard link to it parts from it);
// the new file keeps the old one's mode, owner and group, or the save is
// refused. Anything but a regular file, and a read-only file, is never
// replaced.
SaveResult saveAtomically(const std::string &fileName, const WriteText &write);

} // namespace hs
