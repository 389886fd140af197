#pragma once

// The readers under test take a file name, so each input is written to a
// per-process scratch file first.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

inline std::string writeFuzzFile(const char *stem, const std::uint8_t *data, std::size_t size) {
  const std::string path = std::string("/tmp/hs_fuzz_") + stem + "_" + std::to_string(getpid());
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f)
    std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  return path;
}
