#include "tests/gl_fixture.h"

#include <memory>

namespace {

// Made once and never destroyed: tearing it down at exit would unload the GL driver before the leak checker
// runs, leaving the driver's own lifetime allocations without a name to suppress them by.
HeadlessContext* SharedContext(std::string& error) {
  static std::string reason;
  static HeadlessContext* context = HeadlessContext::Create(reason).release();
  error = reason;
  return context;
}

}  // namespace

void GlTest::SetUp() {
  std::string error;
  HeadlessContext* context = SharedContext(error);
  if (!context) GTEST_SKIP() << "no headless GL context: " << error;
  context->MakeCurrent();
  ResetContextState();  // whatever the test before left switched on
}

void CanvasTest::OpenCanvas(int pixels, double left, double right, double bottom, double top, double zNear,
                            double zFar) {
  CreateOffscreenTarget(target, pixels, pixels, QueryOffscreenSupport());
  MakeOffscreenTargetCurrent(target);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(left, right, bottom, top, zNear, zFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
