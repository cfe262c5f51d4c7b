// A GL context without a display: EGL on Mesa's surfaceless platform (any EGL driver that offers it).
//
// Tests and the capture tool draw with the same core code as the live window; they draw into framebuffer
// objects, as the context has no default framebuffer.
#pragma once

#include <memory>
#include <string>

class HeadlessContext {
 public:
  // A current compatibility-profile OpenGL context, or null with the reason in `error`.
  static std::unique_ptr<HeadlessContext> Create(std::string& error);
  ~HeadlessContext();
  HeadlessContext(const HeadlessContext&) = delete;
  HeadlessContext& operator=(const HeadlessContext&) = delete;

  void MakeCurrent();
  std::string Renderer() const;

 private:
  HeadlessContext() = default;
  void* display_ = nullptr;
  void* context_ = nullptr;
};
