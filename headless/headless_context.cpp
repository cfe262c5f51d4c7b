#include "headless/headless_context.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <sstream>

namespace {

constexpr EGLint kDrmRenderNodeFile = 0x3377;  // EGL_DRM_RENDER_NODE_FILE_EXT, newer than epoxy's headers

bool HasWord(const char* list, const std::string& word) {
  if (!list) return false;
  std::istringstream words(list);
  for (std::string each; words >> each;) {
    if (each == word) return true;
  }
  return false;
}

std::vector<EGLDeviceEXT> QueryDevices() {
  if (!epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_EXT_device_enumeration")) return {};
  EGLint count = 0;
  if (!eglQueryDevicesEXT(0, nullptr, &count) || count <= 0) return {};
  std::vector<EGLDeviceEXT> devices(static_cast<size_t>(count));
  if (!eglQueryDevicesEXT(count, devices.data(), &count)) return {};
  devices.resize(size_t(count));
  return devices;
}

bool IsSoftware(EGLDeviceEXT device) {
  return HasWord(eglQueryDeviceStringEXT(device, EGL_EXTENSIONS), "EGL_MESA_device_software");
}

std::string RenderNode(EGLDeviceEXT device) {
  if (!HasWord(eglQueryDeviceStringEXT(device, EGL_EXTENSIONS), "EGL_EXT_device_drm_render_node")) return "";
  const char* node = eglQueryDeviceStringEXT(device, kDrmRenderNodeFile);
  return node ? node : "";
}

std::string GlString(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text ? text : "";
}

// Initialises the display and makes a context of the profile current on it, without a surface; on failure
// the display is terminated again and the reason is in `error`.
EGLContext OpenContext(EGLDisplay display, const std::string& where, GlProfile profile, std::string& error) {
  const bool es = profile == GlProfile::Es30;
  if (!eglInitialize(display, nullptr, nullptr)) {
    error = "eglInitialize failed on " + where;
    return EGL_NO_CONTEXT;
  }
  if (!eglBindAPI(es ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) {
    error = where + (es ? " offers no OpenGL ES" : " offers no desktop OpenGL");
    eglTerminate(display);
    return EGL_NO_CONTEXT;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                     es ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
    error = where + " has no OpenGL config";
    eglTerminate(display);
    return EGL_NO_CONTEXT;
  }
  const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                  EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  const EGLint core[] = {EGL_CONTEXT_MAJOR_VERSION,
                         3,
                         EGL_CONTEXT_MINOR_VERSION,
                         3,
                         EGL_CONTEXT_OPENGL_PROFILE_MASK,
                         EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                         EGL_NONE};
  const EGLint gles[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0, EGL_NONE};
  const EGLint* contextAttributes = es ? gles : profile == GlProfile::Core33 ? core : compatibility;
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
    error = "EGL could not make a current OpenGL context without a surface on " + where;
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    eglTerminate(display);
    return EGL_NO_CONTEXT;
  }
  return context;
}

EGLDisplay DeviceDisplay(EGLDeviceEXT device) {
  return eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
}

EGLDisplay SurfacelessDisplay() {
  if (!epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) return EGL_NO_DISPLAY;
  return eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

std::string DeviceName(int index, const std::string& renderNode) {
  return "EGL device " + std::to_string(index) + (renderNode.empty() ? "" : " (" + renderNode + ")");
}

}  // namespace

int CountGpuDevices() {
  return int(QueryDevices().size());
}

std::vector<GpuDevice> ListGpuDevices() {
  std::vector<GpuDevice> listed;
  const std::vector<EGLDeviceEXT> devices = QueryDevices();
  for (size_t i = 0; i < devices.size(); ++i) {
    GpuDevice device{int(i), RenderNode(devices[i]), IsSoftware(devices[i]), "", "", ""};
    EGLDisplay display = DeviceDisplay(devices[i]);
    const EGLContext context = display == EGL_NO_DISPLAY
                                   ? EGL_NO_CONTEXT
                                   : OpenContext(display, DeviceName(int(i), device.renderNode),
                                                 GlProfile::Compatibility, device.problem);
    if (context != EGL_NO_CONTEXT) {
      device.vendor = GlString(GL_VENDOR);
      device.renderer = GlString(GL_RENDERER);
      eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
      eglDestroyContext(display, context);
      eglTerminate(display);
    } else if (device.problem.empty()) {
      device.problem = "no EGL display on it";
    }
    listed.push_back(device);
  }
  return listed;
}

std::string FormatGpuList(const std::vector<GpuDevice>& devices) {
  std::string text;
  for (const GpuDevice& device : devices) {
    text +=
        std::to_string(device.index) + "  " + (device.renderNode.empty() ? "-" : device.renderNode) + "  ";
    text += device.problem.empty() ? device.vendor + "  " + device.renderer : "(" + device.problem + ")";
    text += device.software ? "  (software)\n" : "\n";
  }
  return text.empty() ? "no EGL devices\n" : text;
}

std::unique_ptr<HeadlessContext> HeadlessContext::Create(std::string& error, int gpu, GlProfile profile) {
  const std::vector<EGLDeviceEXT> devices = QueryDevices();
  if (gpu >= int(devices.size())) {
    error = "there is no EGL device " + std::to_string(gpu) + " (" + std::to_string(devices.size()) +
            " found; --gpu list shows them)";
    return nullptr;
  }
  // What to try, in order: the device asked for; or the first hardware device, surfaceless, the first device.
  struct Candidate {
    EGLDisplay display;
    std::string where;
  };
  std::vector<Candidate> candidates;
  const auto addDevice = [&](size_t i) {
    candidates.push_back({DeviceDisplay(devices[i]), DeviceName(int(i), RenderNode(devices[i]))});
  };
  if (gpu >= 0) {
    addDevice(size_t(gpu));
  } else {
    for (size_t i = 0; i < devices.size(); ++i) {
      if (!IsSoftware(devices[i])) {
        addDevice(i);
        break;
      }
    }
    candidates.push_back({SurfacelessDisplay(), "Mesa's surfaceless platform"});
    if (!devices.empty()) addDevice(0);
  }
  error = "EGL has neither a device nor Mesa's surfaceless platform to draw on";
  for (const Candidate& candidate : candidates) {
    if (candidate.display == EGL_NO_DISPLAY) continue;
    const EGLContext context = OpenContext(candidate.display, candidate.where, profile, error);
    if (context == EGL_NO_CONTEXT) continue;
    std::unique_ptr<HeadlessContext> headless(new HeadlessContext);
    headless->display_ = candidate.display;
    headless->context_ = context;
    headless->description_ = candidate.where + ": " + headless->Renderer();
    error.clear();
    return headless;
  }
  return nullptr;
}

HeadlessContext::~HeadlessContext() {
  UninstallBatchedGl();  // the renderer's objects live in this context
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, context_);
  eglTerminate(display_);
}

void HeadlessContext::MakeCurrent() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_);
}

std::string HeadlessContext::Renderer() const {
  return GlString(GL_RENDERER);
}

std::unique_ptr<HeadlessContext> OpenHeadlessRenderer(RendererChoice choice, int gpu, std::string& error) {
  if (choice != RendererChoice::Compatibility) {
    const BatchedFlavour flavour = FlavourFor(choice);
    const bool es = flavour != BatchedFlavour::Core33;
    std::string reason;
    auto context = HeadlessContext::Create(reason, gpu, es ? GlProfile::Es30 : GlProfile::Core33);
    if (context && InstallBatchedGl(flavour, reason)) {
      context->Describe(context->Description() + ", " + CurrentGlPath());
      return context;
    }
    if (choice != RendererChoice::Auto) {
      error = "no batched renderer: " + reason;
      return nullptr;
    }
  }
  auto context = HeadlessContext::Create(error, gpu);
  if (context) context->Describe(context->Description() + ", " + CurrentGlPath());
  return context;
}
