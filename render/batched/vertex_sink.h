// Where the batched renderer's builder writes a batch's vertices: straight into a window its back end has
// mapped in the vertex buffer, so that the transformed vertices are never copied again, or into memory of
// its own where there is no window (WebGL 2 has no buffer maps, a map can fail) or the batch outgrew it.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "render/batched/batch_vertex.h"

// The back end's side: a mapped window for the next batch's vertices, or none.
class VertexWindows {
 public:
  virtual ~VertexWindows() = default;
  virtual std::span<BatchVertex> OpenWindow() = 0;
};

class VertexSink {
 public:
  void SetWindows(VertexWindows* windows) { windows_ = windows; }

  // Room for n more vertices at the end, to be written in full; returns where they go.
  BatchVertex* Extend(size_t n) {
    if (size_ + n > capacity_) Grow(size_ + n);
    BatchVertex* at = base_ + size_;
    size_ += n;
    return at;
  }

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const BatchVertex* data() const { return base_; }
  const BatchVertex& operator[](size_t i) const { return base_[i]; }
  const BatchVertex* begin() const { return base_; }
  const BatchVertex* end() const { return base_ + size_; }

  // True while the vertices lie in the back end's window.
  bool InWindow() const { return inWindow_; }

  // Forgets the vertices; the next batch asks for a window of its own.
  void Clear();

 private:
  void Grow(size_t needed);

  VertexWindows* windows_ = nullptr;
  bool askedForWindow_ = false, inWindow_ = false;
  BatchVertex* base_ = nullptr;
  size_t size_ = 0, capacity_ = 0;
  std::vector<BatchVertex, UnzeroedAllocator<BatchVertex>> own_;
};
