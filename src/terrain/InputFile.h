#pragma once

#include <QFile>

#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace hs {

// Opens path for binary reading into file; false when it cannot be opened.
// The name's bytes go to the system as they are, whatever their encoding. A
// directory counts as a file that cannot be opened: fopen accepts it on
// Linux, and the first read would then fail as if the file were malformed.
inline bool openInputFile(const std::string &path, QFile &file) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f)
    return false;
  struct stat st;
  if ((fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) ||
      !file.open(f, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    std::fclose(f);
    return false;
  }
  return true;
}

} // namespace hs
