#pragma once

#include <cstddef>
#include <new>

namespace hs {

void *allocatePixelBytes(std::size_t bytes);
void freePixelBytes(void *p) noexcept;

// Allocator for image pixels. Big maps are sampled at random points (heights,
// picks), so large buffers are aligned to 2 MiB and marked for huge pages
// before they are first touched; that keeps random reads from missing the TLB.
template <class T> struct PixelAllocator {
  using value_type = T;

  PixelAllocator() = default;
  template <class U> PixelAllocator(const PixelAllocator<U> &) {}

  T *allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T) / 2)
      throw std::bad_array_new_length();
    return static_cast<T *>(allocatePixelBytes(n * sizeof(T)));
  }
  void deallocate(T *p, std::size_t) noexcept { freePixelBytes(p); }

  template <class U> bool operator==(const PixelAllocator<U> &) const { return true; }
};

} // namespace hs
