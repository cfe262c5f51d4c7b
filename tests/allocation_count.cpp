// Replaces the global operator new and delete of the test program with ones that count the bytes they hold.
#include "tests/allocation_count.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<size_t> liveBytes{0};
}  // namespace

size_t LiveNewBytes() {
  return liveBytes.load();
}

#if !defined(__SANITIZE_ADDRESS__)

void* operator new(size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  liveBytes += malloc_usable_size(block);
  return block;
}

void* operator new[](size_t size) {
  return operator new(size);
}

void operator delete(void* block) noexcept {
  if (!block) return;
  liveBytes -= malloc_usable_size(block);
  std::free(block);
}

void operator delete[](void* block) noexcept {
  operator delete(block);
}

void operator delete(void* block, size_t) noexcept {
  operator delete(block);
}

void operator delete[](void* block, size_t) noexcept {
  operator delete(block);
}

#endif
