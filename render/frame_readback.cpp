#include "render/frame_readback.h"

#include "render/gl_api.h"

FrameReadback::FrameReadback(int width, int height, int depth)
    : width_(width), height_(height), depth_(depth), buffers_(size_t(depth)), frames_(size_t(depth)) {
  glGenTextures(1, &uprightTexture_);
  glBindTexture(GL_TEXTURE_2D, uprightTexture_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  glGenFramebuffers(1, &uprightFramebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, uprightFramebuffer_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, uprightTexture_, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glGenBuffers(depth, buffers_.data());
  for (uint32_t buffer : buffers_) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    glBufferData(GL_PIXEL_PACK_BUFFER, GLsizeiptr(size_t(width) * height * 3), nullptr, GL_STREAM_READ);
  }
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

FrameReadback::~FrameReadback() {
  glDeleteBuffers(depth_, buffers_.data());
  glDeleteFramebuffers(1, &uprightFramebuffer_);
  glDeleteTextures(1, &uprightTexture_);
}

void FrameReadback::Start(const OffscreenTarget& target, long long frame) {
  ResolveOffscreenTarget(target);
  // Picture rows run bottom up in GL; a blit with the destination's rows swapped puts the top row first.
  glBindFramebuffer(GL_READ_FRAMEBUFFER, target.resolveFramebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, uprightFramebuffer_);
  glBlitFramebuffer(0, 0, width_, height_, 0, height_, width_, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, uprightFramebuffer_);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[size_t(next_)]);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  frames_[size_t(next_)] = frame;
  next_ = (next_ + 1) % depth_;
  ++pending_;
}

bool FrameReadback::CollectOldest(const Use& use) {
  const size_t oldest = size_t((next_ - pending_ + depth_) % depth_);
  --pending_;
  const size_t bytes = size_t(width_) * height_ * 3;
  glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[oldest]);
  const auto* pixels = static_cast<const uint8_t*>(
      glMapBufferRange(GL_PIXEL_PACK_BUFFER, 0, GLsizeiptr(bytes), GL_MAP_READ_BIT));
  const bool used = pixels && use(frames_[oldest], {pixels, bytes});
  if (pixels) glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  return used;
}
