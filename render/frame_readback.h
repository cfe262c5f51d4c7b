// FrameReadback: reads finished frames back through a ring of pixel buffer objects, so that the copy of one
// frame overlaps the drawing of the next ones where the GPU works apart from the CPU.
//
// Each frame is resolved and turned upright into a framebuffer of its own, then read into the next buffer of
// the ring; it is collected, rows top first as ReadOffscreenPixels gives them, once the ring is full or at
// the end. The bytes are those of ReadOffscreenPixels.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "render/offscreen_target.h"

class FrameReadback {
 public:
  // What collecting a frame hands on: its number and its RGB rows, valid during the call. False stops.
  using Use = std::function<bool(long long frame, std::span<const uint8_t> rgb)>;

  FrameReadback(int width, int height, int depth);
  ~FrameReadback();
  FrameReadback(const FrameReadback&) = delete;
  FrameReadback& operator=(const FrameReadback&) = delete;

  // Starts reading the target's picture (of this readback's size) as frame `frame`; the ring must not be
  // full.
  void Start(const OffscreenTarget& target, long long frame);
  bool Full() const { return pending_ == depth_; }
  bool Empty() const { return pending_ == 0; }
  // Hands the oldest frame started to `use`; the result is use's.
  bool CollectOldest(const Use& use);

 private:
  int width_, height_, depth_;
  uint32_t uprightFramebuffer_ = 0, uprightTexture_ = 0;
  std::vector<uint32_t> buffers_;
  std::vector<long long> frames_;
  int next_ = 0;     // the buffer the next Start fills
  int pending_ = 0;  // frames started and not yet collected
};
