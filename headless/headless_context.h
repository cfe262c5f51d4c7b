// A GL context without a display, through EGL: on one of the machine's EGL devices (EGL_EXT_platform_device:
// the GPUs of a server, with NVIDIA's driver too) or on Mesa's surfaceless platform.
//
// Tests and the capture tool draw with the same core code as the live window; they draw into framebuffer
// objects, as the context has no default framebuffer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "render/batched/batched_gl.h"

// Which OpenGL the context offers: the compatibility profile, or the modern contexts the batched renderer
// (render/batched/batched_gl.h) draws the same subset on.
enum class GlProfile { Compatibility, Core33, Es30 };

// Which GPU draws: kAutoGpu, or the index of an EGL device as ListGpuDevices numbers them.
constexpr int kAutoGpu = -1;

struct GpuDevice {
  int index = 0;
  std::string renderNode;  // such as /dev/dri/renderD128; empty where the device has none
  bool software = false;   // a software rasteriser (EGL_MESA_device_software)
  std::string vendor, renderer;
  std::string problem;  // why no context could be made on it; empty when one could
};

// How many EGL devices there are.
int CountGpuDevices();

// Every EGL device, each opened for a moment to read its vendor and renderer.
std::vector<GpuDevice> ListGpuDevices();

// One line a device: "0  /dev/dri/renderD128  Mesa  llvmpipe (LLVM 15.0.6, 256 bits)  (software)".
std::string FormatGpuList(const std::vector<GpuDevice>& devices);

class HeadlessContext {
 public:
  // A current compatibility-profile OpenGL context, or null with the reason in `error`. kAutoGpu takes the
  // first hardware EGL device, else Mesa's surfaceless platform, else the first device; an index takes that
  // device and nothing else.
  static std::unique_ptr<HeadlessContext> Create(std::string& error, int gpu = kAutoGpu,
                                                 GlProfile profile = GlProfile::Compatibility);
  ~HeadlessContext();
  HeadlessContext(const HeadlessContext&) = delete;
  HeadlessContext& operator=(const HeadlessContext&) = delete;

  void MakeCurrent();
  std::string Renderer() const;
  // Where the context lives and who draws: "EGL device 1 (/dev/dri/renderD129): NVIDIA H100 ..." or
  // "Mesa's surfaceless platform: llvmpipe (...)".
  const std::string& Description() const { return description_; }
  void Describe(std::string description) { description_ = std::move(description); }

 private:
  HeadlessContext() = default;
  void* display_ = nullptr;
  void* context_ = nullptr;
  std::string description_;
};

// A current context with the chosen renderer installed (kept for the life of the process by the caller),
// or null with the reason. Its description names the renderer too.
std::unique_ptr<HeadlessContext> OpenHeadlessRenderer(RendererChoice choice, int gpu, std::string& error);
