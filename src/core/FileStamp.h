#pragma once

#include <QByteArray>

#include <cstdint>
#include <string>

namespace hs {

// What a file was when the program last read or wrote it, so that a save can
// tell whether another program changed it since. The size and time alone miss
// a rewrite within the clock's step or one that sets the time back; the hash
// of the contents catches those.
struct FileStamp {
  bool exists = false;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  QByteArray hash; // empty when the file could not be read

  bool operator==(const FileStamp &) const = default;
};

// The file's stamp now; an empty stamp when it does not exist.
FileStamp stampFile(const std::string &fileName);

// Whether the file is no longer as stamped (changed, or deleted meanwhile).
// Hashes only when the size and time still agree.
bool changedSince(const FileStamp &stamp, const std::string &fileName);

} // namespace hs
