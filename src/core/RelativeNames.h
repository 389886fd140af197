#pragma once

#include <string>

namespace hs {

// Names are held absolute in memory. A file that names others (the place data
// file, the settings file) writes those in its own folder or below relative to
// that folder, so a project folder can be moved or copied whole.

// name as namingFile writes it: relative to namingFile's folder when it lies
// there or below, else absolute (a relative name is taken from the current
// folder). An empty name or namingFile, or a name that is not UTF-8, is
// written as it is.
std::string nameWrittenIn(const std::string &name, const std::string &namingFile);
// The same for a name written relative to folder itself.
std::string nameWrittenFor(const std::string &name, const std::string &folder);

// A name read from namingFile, as the program uses it.
struct FoundName {
  std::string name;
  // Set when an absolute name that does not exist gave way to the file of the
  // same name beside namingFile: a notice naming both.
  std::string notice;
};

// A relative name is found against namingFile's folder; an absolute one that
// does not exist falls back to the same file name beside namingFile when that
// exists. An empty name, a name that is not UTF-8, or a result too long to
// keep, stays as it was written.
FoundName nameReadFrom(const std::string &written, const std::string &namingFile);

} // namespace hs
