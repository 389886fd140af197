#pragma once

#include <QDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace hs {

// The whole of a file, or "" when it cannot be read.
inline std::string readFile(const std::string &name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of its own for each test, the working directory while it runs.
class TestFolder {
public:
  TestFolder() : before_(QDir::currentPath()) {
    char name[] = "/tmp/hs_app_XXXXXX";
    path_ = mkdtemp(name);
    QDir::setCurrent(QString::fromStdString(path_));
  }
  ~TestFolder() {
    QDir::setCurrent(before_);
    std::filesystem::remove_all(path_);
  }
  TestFolder(const TestFolder &) = delete;
  TestFolder &operator=(const TestFolder &) = delete;

  const std::string &path() const { return path_; }
  std::string file(const std::string &name) const { return path_ + "/" + name; }
  std::string write(const std::string &name, const std::string &bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
    return file(name);
  }
  std::string read(const std::string &name) const { return readFile(file(name)); }

private:
  QString before_;
  std::string path_;
};

// A FIFO, and (root only) a device like /dev/zero; "" when not made.
inline std::string makeFifo(const TestFolder &folder, const std::string &name) {
  return ::mkfifo(folder.file(name).c_str(), 0666) == 0 ? folder.file(name) : std::string();
}
inline std::string makeZeroDevice(const TestFolder &folder, const std::string &name) {
  return ::mknod(folder.file(name).c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0 ? folder.file(name)
                                                                                : std::string();
}
// The type bits of what name is now (S_IFREG, S_IFIFO, ...), or 0.
inline unsigned fileType(const std::string &name) {
  struct stat st {};
  return ::stat(name.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// An 8-bit colour-mapped Targa whose index (height, up to 240) at (x, y) is index(x, y).
inline std::string targaBytes(int w, int h, const std::function<int(int, int)> &index) {
  std::string b = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0};
  b += {char(w & 0xFF), char(w >> 8), char(h & 0xFF), char(h >> 8), 8, 32};
  b.append(768, '\0');
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b += static_cast<char>(index(x, y));
  return b;
}
inline std::string targaBytes(int w, int h, int fill = 7) {
  return targaBytes(w, h, [fill](int, int) { return fill; });
}

} // namespace hs
