#include "render/batched/vertex_sink.h"

#include <algorithm>

void VertexSink::Clear() {
  size_ = 0;
  inWindow_ = askedForWindow_ = false;
  base_ = own_.data();
  capacity_ = own_.size();
}

void VertexSink::Grow(size_t needed) {
  if (size_ == 0 && !askedForWindow_ && windows_) {
    askedForWindow_ = true;
    const std::span<BatchVertex> window = windows_->OpenWindow();
    if (window.size() >= needed) {
      base_ = window.data();
      capacity_ = window.size();
      inWindow_ = true;
      return;
    }
  }
  // A batch that outgrows its window moves to the builder's own memory (its back end uploads it from
  // there and makes the next window larger); so does one without a window.
  const size_t grown = std::max(needed, 2 * std::max(size_, own_.size()));
  if (inWindow_) {
    own_.resize(grown);
    std::copy(base_, base_ + size_, own_.data());
    inWindow_ = false;
  } else {
    own_.resize(grown);
  }
  base_ = own_.data();
  capacity_ = own_.size();
}
