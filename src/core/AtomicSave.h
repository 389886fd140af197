#pragma once

#include <functional>
#include <string>

class QIODevice;
class QSaveFile;

namespace hs {

// Fills the device with a file's text; false when any write failed.
using WriteText = std::function<bool(QIODevice &)>;

// The one way the program writes a user's file: the text goes to a temporary
// file beside fileName, every write and the final flush are checked, and only
// then does the temporary file take the name. On any failure (no room, no
// permission, a name that is not UTF-8) the earlier file stays byte for byte
// as it was, and false is returned for the caller to report.
bool saveAtomically(const std::string &fileName, const WriteText &write);

// The same over a file object the caller made; it must not be open yet.
bool saveAtomically(QSaveFile &file, const WriteText &write);

} // namespace hs
