#pragma once

#include <string>

namespace hs {

// A file name as it can be shown on a terminal: bytes outside printable ASCII
// as \xHH.
std::string shownName(const std::string &name);

// Whether two names are the same file: links and other spellings count, the
// device and inode decide. False when either does not exist.
bool sameFile(const std::string &a, const std::string &b);

// The tools' two failures, said on standard error after the tool's name: a
// bad command line (with a pointer to --help; returns 2) and a file that
// cannot be read or written (returns 1).
int usageError(const char *tool, const std::string &message);
int failure(const char *tool, const std::string &message);

} // namespace hs
