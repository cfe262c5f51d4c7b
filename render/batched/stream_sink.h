// Where the batched renderer's builder writes a batch's vertices and indices: straight into a window its
// back end has mapped in the buffer, so that what the builder writes is never copied again, or into memory
// of its own where there is no window (WebGL 2 has no buffer maps, a map can fail) or the batch outgrew it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "render/batched/batch_vertex.h"

template <typename T>
class StreamSink {
 public:
  // The back end's side: a mapped window for the next batch, or an empty one.
  using Windows = std::function<std::span<T>()>;
  void SetWindows(Windows windows) { windows_ = std::move(windows); }

  // Room for n more elements at the end, to be written in full; returns where they go.
  T* Extend(size_t n) {
    if (size_ + n > capacity_) Grow(size_ + n);
    T* at = base_ + size_;
    size_ += n;
    return at;
  }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const T* data() const { return base_; }
  const T& operator[](size_t i) const { return base_[i]; }
  const T* begin() const { return base_; }
  const T* end() const { return base_ + size_; }

  // True while the elements lie in the back end's window.
  bool InWindow() const { return inWindow_; }

  // Forgets the elements; the next batch asks for a window of its own (where there are windows).
  void Clear() {
    size_ = 0;
    inWindow_ = askedForWindow_ = false;
    base_ = own_.data();
    capacity_ = windows_ ? 0 : own_.size();
  }

 private:
  void Grow(size_t needed) {
    if (size_ == 0 && !askedForWindow_ && windows_) {
      askedForWindow_ = true;
      const std::span<T> window = windows_();
      if (window.size() >= needed) {
        base_ = window.data();
        capacity_ = window.size();
        inWindow_ = true;
        return;
      }
    }
    // A batch that outgrows its window moves to the builder's own memory (the back end uploads it from
    // there and makes the next window larger); so does one without a window.
    if (own_.size() < needed) own_.resize(std::max(needed, 2 * own_.size()));
    if (inWindow_) std::copy(base_, base_ + size_, own_.data());
    inWindow_ = false;
    base_ = own_.data();
    capacity_ = own_.size();
  }

  Windows windows_;
  bool askedForWindow_ = false, inWindow_ = false;
  T* base_ = nullptr;
  size_t size_ = 0, capacity_ = 0;
  std::vector<T> own_;  // only ever grows: sized once the largest batch has been seen
};
