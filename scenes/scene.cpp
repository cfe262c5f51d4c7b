#include "scenes/scene.h"

#include "assets/textures.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/ramps.h"

void Scene::Bind(int slot) const {
  BindTextureSlot(state.textures, show.textureBase + slot);
}

double StaggeredRamp(double t, double start, double spread, double rate) {
  return StaggeredRamp([=] { return (t - start - spread * RandomUnit()) * rate; });
}

void Rectangle(double x0, double y0, double x1, double y1) {
  glBegin(GL_QUADS);
  glVertex2d(x0, y0), glVertex2d(x1, y0), glVertex2d(x1, y1), glVertex2d(x0, y1);
  glEnd();
}

void ClearPicture() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void BeginPass(DemoState& state) {
  glDisable(GL_BLEND);
  ShadersOff(state);
  glPushMatrix();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  ApplyCamera(state);
  ResetRenderState();
}

void EndPass() {
  glPopMatrix();
}

void Place(const Placement& placement) {
  glTranslated(placement.x, placement.y, placement.z);
  if (placement.scaleFirst) glScaled(placement.sx, placement.sy, placement.sz);
  if (placement.angle != 0) glRotated(placement.angle, 0, 0, 1);
  if (!placement.scaleFirst) glScaled(placement.sx, placement.sy, placement.sz);
}

void Texturing(bool on) {
  if (on) {
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void Blend(unsigned source, unsigned destination) {
  glEnable(GL_BLEND);
  glBlendFunc(source, destination);
}

void NoBlend() {
  glDisable(GL_BLEND);
}

void DiscardDraws(double amount) {
  for (int i = 0; i < amount; ++i) RandomUnit();
}
