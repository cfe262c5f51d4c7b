#include "show/render_pass.h"

#include "render/gl_api.h"

namespace {

constexpr double kFieldOfView = 75.0;

void LookAt(const CameraRecord& c) {
  gluLookAt(c.eye.x, c.eye.y, c.eye.z, c.centre.x, c.centre.y, c.centre.z, c.up.x, c.up.y, c.up.z);
}

void ScenePerspective(const DemoState& state, const OffscreenTarget& target) {
  const double aspect = double(target.width) / double(target.height) * state.aspectScale;
  gluPerspective(kFieldOfView + state.fovOffset, aspect, state.nearPlane, state.farPlane);
}

Vec3 Lerp(const Vec3& a, const Vec3& b, double t) {
  Vec3 out;
  return Vec3Add(a, (b - a) * float(t), out);
}

}  // namespace

void RenderScenePass(DemoState& state, const OffscreenTarget& target, const SceneCallback& scene, int program,
                     const CameraRecord& camera, const CameraRecord& light) {
  CgProgramSet& cg = state.cg;
  MakeOffscreenTargetCurrent(target);
  glDisable(GL_BLEND);
  CgBind(cg, program);
  CgBind(cg, program + 1);
  CgEnableFragment(cg);
  CgEnableVertex(cg);

  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glPushMatrix();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  ScenePerspective(state, target);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  LookAt(camera);
  CgEnableFragment(cg);
  CgEnableVertex(cg);

  // The light's view, mapped to texture space, for projective texturing.
  glPushMatrix();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glTranslated(0.5, 0.5, 0.5);
  glScaled(0.5, 0.5, 0.5);
  ScenePerspective(state, target);
  LookAt(light);
  CgSetTextureMatrix(cg, program, 6);
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);

  CgLookupParameter(cg, program, 1, "CameraPos");
  CgSet3f(cg, program, 1, state.camera.eye.x, state.camera.eye.y, state.camera.eye.z);
  CgLookupParameter(cg, program, 2, "LightPos");
  CgSet3f(cg, program, 2, light.eye.x, light.eye.y, light.eye.z);

  glPushMatrix();
  CgSetModelViewProjection(cg, program, 5);
  if (scene) scene(state);
  glPopMatrix();

  CgDisableFragment(cg);
  CgDisableVertex(cg);
  glPopMatrix();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
}

void PrepareMainProjection(const DemoState& state, const OffscreenTarget& target) {
  MakeOffscreenTargetCurrent(target);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfView + state.fovOffset, 1.0, state.nearPlane, state.farPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetCamera(DemoState& state, const double& eyeX, const double& eyeY, const double& eyeZ,
               const double& centreX, const double& centreY, const double& centreZ, const double& upX,
               const double& upY, const double& upZ) {
  state.camera.eye = Vec3(kVecValid, float(eyeX), float(eyeY), float(eyeZ));
  state.camera.centre = Vec3(kVecValid, float(centreX), float(centreY), float(centreZ));
  state.camera.up = Vec3(kVecValid, float(upX), float(upY), float(upZ));
}

void CameraLerp(CameraRecord& out, const double& t, const CameraRecord& a, const CameraRecord& b) {
  out.eye = Lerp(a.eye, b.eye, t);
  out.centre = Lerp(a.centre, b.centre, t);
  out.up = Lerp(a.up, b.up, t);
}
