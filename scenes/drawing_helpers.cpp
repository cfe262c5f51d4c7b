#include "scenes/drawing_helpers.h"

#include <cmath>
#include <numbers>

#include "render/gl_api.h"

void ApplyCamera(const DemoState& state) {
  const CameraRecord& c = state.camera;
  gluLookAt(c.eye.x, c.eye.y, c.eye.z, c.centre.x, c.centre.y, c.centre.z, c.up.x, c.up.y, c.up.z);
}

void ShadersOff(DemoState& state) {
  CgDisableFragment(state.cg);
  CgDisableVertex(state.cg);
}

void ResetRenderState() {
  glDisable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_LIGHT0);
  glDisable(GL_TEXTURE_2D);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_FOG);
}

double EaseCurve(const double& x, const double& p) {
  const double q = (std::cos(std::numbers::pi * x) + 1.0) * 0.5;
  return std::pow(1.0 - std::pow(q, (p - 1.0) * 0.5 + 1.0), p);
}
