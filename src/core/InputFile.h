#pragma once

#include <QFile>

#include <string>

namespace hs {

// Opens path for binary reading into file; false when it cannot be opened.
// Only regular files are read (a link to one is fine): a device such as
// /dev/zero never ends and a FIFO blocks until some other program writes, so
// neither is ever opened for reading, and the open itself cannot block. A
// directory counts as a file that cannot be opened. The name's bytes go to
// the system as they are, whatever their encoding.
bool openInputFile(const std::string &path, QFile &file);

// Whether path names something that exists but is not a regular file.
bool isIrregularFile(const std::string &path);

} // namespace hs
