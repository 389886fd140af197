#include "core/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hs {

bool isIrregularFile(const std::string &path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

bool openInputFile(const std::string &path, QFile &file) {
  // Looked at before opening, as opening some devices already does something;
  // and again after, in case the name was swapped in between.
  if (path.empty() || isIrregularFile(path))
    return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd); // a directory opens on Linux, and anything swapped in meanwhile
    return false;
  }
  // O_NONBLOCK stays: regular files ignore it, and the odd kernel file that
  // would wait for data reads as ending instead.
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

} // namespace hs
