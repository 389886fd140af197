#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>

namespace hs {

struct FileCloser {
  void operator()(std::FILE *f) const { std::fclose(f); }
};
using InputFile = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file for binary reading; null when it cannot be opened. A directory
// counts as one that cannot be opened: fopen accepts it on Linux, and the
// first read would then fail as if the file were malformed.
inline InputFile openInputFile(const std::string &path) {
  InputFile f(std::fopen(path.c_str(), "rb"));
  struct stat st;
  if (f && fstat(fileno(f.get()), &st) == 0 && S_ISDIR(st.st_mode))
    f.reset();
  return f;
}

} // namespace hs
