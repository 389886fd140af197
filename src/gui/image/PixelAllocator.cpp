#include "gui/image/PixelAllocator.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace hs {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}

void *allocatePixelBytes(std::size_t bytes) {
  void *p = nullptr;
  if (bytes < kHugePage) {
    p = std::malloc(bytes == 0 ? 1 : bytes);
  } else {
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    p = std::aligned_alloc(kHugePage, rounded);
    if (p)
      madvise(p, rounded, MADV_HUGEPAGE);
  }
  if (!p)
    throw std::bad_alloc();
  return p;
}

void freePixelBytes(void *p) noexcept { std::free(p); }

} // namespace hs
