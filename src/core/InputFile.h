#pragma once

#include <QFile>

#include <string>

namespace hs {

enum class InputResult {
  Opened,
  CannotOpen,     // missing, no permission, a directory, or not a UTF-8 name when asked
  NotRegularFile, // a device, a FIFO, a socket: refused before anything is read
};

// Opens path for binary reading into file. Only regular files are read (a
// link to one is fine): a device such as /dev/zero never ends and a FIFO
// blocks until some other program writes, so neither is ever opened for
// reading, and the open itself cannot block. The name's bytes go to the
// system as they are, whatever their encoding.
InputResult openInput(const std::string &path, QFile &file);

inline bool openInputFile(const std::string &path, QFile &file) {
  return openInput(path, file) == InputResult::Opened;
}

// Whether path names something that exists but is not a regular file.
bool isIrregularFile(const std::string &path);

} // namespace hs
