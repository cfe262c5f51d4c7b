// One vertex of the batched renderer's stream, as its shaders read it, and the allocator its streams use.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

// Hands out elements without zeroing them first: the builder's streams are resized and then written in full,
// and a frame's worth of zeroes would cost as much as the writes.
template <typename T>
struct UnzeroedAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = UnzeroedAllocator<U>;
  };
  template <typename U>
  void construct(U* place) {
    ::new (static_cast<void*>(place)) U;
  }
  template <typename U, typename... Arguments>
  void construct(U* place, Arguments&&... arguments) {
    ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
  }
};

struct BatchVertex {
  float x, y, z, w;    // clip space
  uint8_t r, g, b, a;  // clamped to 0 ... 1 as the fixed-function pipeline clamps vertex colours, 8 bits
  float s, t;
};
