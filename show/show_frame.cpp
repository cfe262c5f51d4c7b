#include "show/show_frame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "effects/quads.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/ramps.h"
#include "scenes/scene_director.h"
#include "show/render_pass.h"
#include "show/show_object.h"

namespace {

double Clamp01(double x) {
  return std::clamp(x, 0.0, 1.0);
}

double Ease(double x) {
  return EaseCurve(Clamp01(x), 1.0);
}

CameraRecord LookingDown(double x, double y, double height, const Vec3& up) {
  return {Vec3(kVecValid, float(x), float(y), float(height)), Vec3(kVecValid, float(x), float(y), 0.0f), up};
}

// The staggered clamp of one jolt's progress, drawing twice per evaluation.
double JoltProgress(double t, double rate) {
  return StaggeredRamp([t, rate] {
    const double start = 30 * RandomUnit();
    return (t - 204 - start) * (RandomUnit() + 1) * rate;
  });
}

// Draws a full-viewport multiplier quad from a camera at (0, 0, 1) in the current projection.
void MultiplyOverlay(double r, double g, double b) {
  glPushMatrix();
  glLoadIdentity();
  gluLookAt(0, 0, 1, 0, 0, 0, 0, 1, 0);
  ResetRenderState();
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_ZERO, GL_SRC_COLOR);
  glColor3d(r, g, b);
  FlatQuad(0.0, 10.0, 10.0);
  glPopMatrix();
}

}  // namespace

double ModulatedStep(double step, double t) {
  step *= 1.004;
  step *= 1 + (Ramp(t, 60, 0.1) - Ramp(t, 155, 0.12)) * 0.036;
  step *= 1 + (Ramp(t, 30, 0.12) - Ramp(t, 110, 0.2)) * 0.093;
  step *= 1 + (Ramp(t, 153, 0.2) - Ramp(t, 181, 0.2)) * 0.088;
  step *= 1 - (Ramp(t, 225, 0.4) - Ramp(t, 232, 0.4)) * 0.23;
  step *= 1 + (Ramp(t, 140.5, 2) - Ramp(t, 142.1, 2)) * 0.59;
  return step;
}

CameraRecord ShowCamera(double t) {
  const Vec3 up(kVecValid, 0, 1, 0);
  const double rise = Ease(3 * std::sin(std::numbers::pi * Clamp01((t - 60) * 0.013)));
  CameraRecord camera = LookingDown(12, 8 * t - 125, 58 + 7.8 * rise, up);

  const double u = 8 * std::max(t - 146, 0.0);
  const double v = 15 * Ease((t - 163) * 0.05);
  const double settle = Ease((t - 140) * 0.05);
  const double drop = Ease((t - 175) * 0.06);
  const Vec3 roll(kVecValid, float(-0.05 * (1 - 0.98 * settle) * std::sin(0.7 * (t - 146))), 1, 0);
  CameraLerp(camera, Ease((t - 146) * 0.15), camera, LookingDown(u, 1080 - 30 * drop, 53 + v, roll));

  const double climb = 12 * std::max(t - 198, 0.0);
  RandomSeed(1459332346);
  double x = 474.0, z = 57.0;
  for (int jolt = 0; jolt < 9; ++jolt) {
    const double sideways = JoltProgress(t, 0.4);
    const double vertical = JoltProgress(t, 0.45);
    const double sidewaysFrequency = 10 * RandomUnit() + 50;
    RandomUnit();
    x += 0.3 * Bounce(sideways, sidewaysFrequency);
    const double verticalFrequency = 10 * RandomUnit() + 20;
    z += 0.01 * Bounce(vertical, verticalFrequency);
  }
  CameraLerp(camera, Ease((t - 196) * 0.12), camera, LookingDown(x, 1080 + climb, z, up));
  return camera;
}

CameraRecord ShowLight(const CameraRecord& camera) {
  CameraRecord light = camera;
  light.eye.x = float(double(light.eye.x) - 8.0);
  Vec3Normalize(light.eye);
  light.eye = light.eye * 23.0f;
  return light;
}

double WideScreenFovOffset(int width, int height) {
  return (1.77777 - double(width) / double(height)) * 2.2500225002250023 * 0.6 * 10.0;
}

std::array<double, 3> FadeInColour(double t) {
  const double a = Clamp01((t + 3.0) * 0.2), b = Clamp01((t - 4.0) * 0.11);
  return {a, (b + 0.5) * a, (b + 0.5) * a};
}

bool FadeInVisible(double t) {
  return Clamp01((t - 4.0) * 0.11) < 0.99999;
}

double FadeOutLevel(double t) {
  return 1 - Clamp01((t - 240.4) * 0.22);
}

double Bounce(double x, double f) {
  if (x < 0.0001) return 0.0;
  return std::sin(std::min(28 * x, 1.0) + std::numbers::pi * f * x + 0.5) * (1.01 - x);
}

void ShowObject::AdvanceClocks(double& timeStep) {
  fastTime += timeStep * 1.5;
  timeStep = ModulatedStep(timeStep, showTime);
  showTime += timeStep;
}

void ShowObject::ShowFrame(double& timeStep, OffscreenTarget& target, DemoState& state, FrameRecord& frame) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  state.frame = &frame;
  std::copy_n(frame.spectrum.begin(), spectrum.size(), spectrum.begin());

  AdvanceClocks(timeStep);
  const double t = showTime;

  state.nearPlane = 0.01;
  state.farPlane = 250.0;
  PrepareMainProjection(state, target);
  glPushMatrix();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  state.camera = ShowCamera(t);
  state.light = ShowLight(state.camera);
  state.fovOffset += WideScreenFovOffset(target.width, target.height);
  RenderScenePass(
      state, target, [this](DemoState& drawing) { SceneDirector(drawing, *this); }, 0, state.camera,
      state.light);

  state.fovOffset = 0.0;
  PrepareMainProjection(state, target);
  ShadersOff(state);
  glPopMatrix();
  if (FadeInVisible(t)) {
    const auto colour = FadeInColour(t);
    MultiplyOverlay(colour[0], colour[1], colour[2]);
  }
  const double fadeOut = FadeOutLevel(t);
  if (fadeOut < 0.99999) MultiplyOverlay(fadeOut, fadeOut, fadeOut);

  frame.showTime = showTime;
  glPopAttrib();
  glFlush();
}
