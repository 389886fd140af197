#include "core/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hs {

bool isIrregularFile(const std::string &path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

InputResult openInput(const std::string &path, QFile &file) {
  if (path.empty())
    return InputResult::CannotOpen;
  // Looked at before opening, as opening some devices already does something;
  // and again after, in case the name was swapped in between.
  if (isIrregularFile(path))
    return InputResult::NotRegularFile;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return InputResult::CannotOpen;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    // A directory opens on Linux; it reads as a file that cannot be opened.
    const bool found = st.st_mode != 0 && !S_ISDIR(st.st_mode);
    ::close(fd);
    return found ? InputResult::NotRegularFile : InputResult::CannotOpen;
  }
  // O_NONBLOCK stays: regular files ignore it, and the odd kernel file that
  // would wait for data reads as ending instead.
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return InputResult::CannotOpen;
  }
  return InputResult::Opened;
}

} // namespace hs
