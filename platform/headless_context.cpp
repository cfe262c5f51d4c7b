#include "platform/headless_context.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

namespace {

EGLDisplay OpenSurfacelessDisplay() {
  if (!epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) return EGL_NO_DISPLAY;
  return eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

}  // namespace

std::unique_ptr<HeadlessContext> HeadlessContext::Create(std::string& error) {
  EGLDisplay display = OpenSurfacelessDisplay();
  if (display == EGL_NO_DISPLAY) {
    error = "EGL has no surfaceless platform";
    return nullptr;
  }
  if (!eglInitialize(display, nullptr, nullptr)) {
    error = "eglInitialize failed on the surfaceless platform";
    return nullptr;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    error = "EGL offers no desktop OpenGL";
    eglTerminate(display);
    return nullptr;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
    error = "EGL found no OpenGL config";
    eglTerminate(display);
    return nullptr;
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
    error = "EGL could not make a current surfaceless OpenGL context";
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    eglTerminate(display);
    return nullptr;
  }
  std::unique_ptr<HeadlessContext> headless(new HeadlessContext);
  headless->display_ = display;
  headless->context_ = context;
  return headless;
}

HeadlessContext::~HeadlessContext() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, context_);
  eglTerminate(display_);
}

void HeadlessContext::MakeCurrent() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_);
}

std::string HeadlessContext::Renderer() const {
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return renderer ? renderer : "";
}
