#include "cli/CommandLine.h"

#include <sys/stat.h>

#include <cstdio>

namespace hs {

std::string shownName(const std::string &name) {
  std::string s;
  for (unsigned char c : name) {
    if (c >= 0x20 && c < 0x7f) {
      s += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      s += hex;
    }
  }
  return s;
}

bool sameFile(const std::string &a, const std::string &b) {
  struct stat sa {};
  struct stat sb {};
  return !a.empty() && !b.empty() && ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int usageError(const char *tool, const std::string &message) {
  std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", tool, message.c_str(), tool);
  return 2;
}

int failure(const char *tool, const std::string &message) {
  std::fprintf(stderr, "%s: %s\n", tool, message.c_str());
  return 1;
}

} // namespace hs
