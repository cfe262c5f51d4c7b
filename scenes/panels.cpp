// Panels of the first half's second pass: the flickering walker panels, the band-and-noise towers and the
// framed pictures.
#include <cmath>

#include "effects/band_panels.h"
#include "effects/quads.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/first_half_layers.h"
#include "scenes/ramps.h"

namespace {

constexpr double kPictureHalfWidth = 2.5, kPictureHalfHeight = 10;  // the tall 1 : 4 pictures

// A picture with a soft shadow down and to the right, both blended by their alpha.
void PictureWithShadow() {
  glColor3f(0.7f, 0.7f, 0.7f);
  Blend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  Texturing(true);
  glPushMatrix();
  glTranslated(2.6, -2.6, 0);
  glColor4f(0, 0, 0, 0.5f);
  FlatQuad(0, kPictureHalfWidth, kPictureHalfHeight);
  glPopMatrix();
  glPushMatrix();
  glColor3f(0.8f, 0.8f, 0.8f);
  FlatQuad(0, kPictureHalfWidth, kPictureHalfHeight);
  glPopMatrix();
}

void FrameLines(double margin) {
  const double x = kPictureHalfWidth + margin, y = kPictureHalfHeight + margin;
  glBegin(GL_LINE_STRIP);
  glVertex2d(-x, -y), glVertex2d(x, -y), glVertex2d(x, y), glVertex2d(-x, y), glVertex2d(-x, -y);
  glEnd();
}

double SlidingPictureX(double t) {
  return 3.2 * (t - 117) - 43;
}

// One tower: a black stack of as many storeys as a raw random number says (thousands, reaching far above the
// canvas), then an empty grey stack and a noise panel of no height, which only take their random draws and
// leave blending and texturing as the noise panel sets them.
void Tower(const Scene& scene, bool left) {
  const double r = RandomUnit();
  glPushMatrix();
  glTranslated(left ? 80 * r - 68 : 48 * (r + 1), 855.2, 10 - 7 * r);
  glColor3f(0, 0, 0);
  DrawBandStack(RandomRaw());
  glTranslated(0.4, 0.4, 0);
  const double grey = 0.4 * RandomUnit() + 0.3;
  glColor3d(grey, grey, grey);
  scene.Bind(51);
  DrawBandStack(0);
  scene.Bind(24);
  DrawNoiseQuad(0, scene.t);
  glPopMatrix();
}

}  // namespace

// Thirty random frames of the walker sheet (16 by 2 cells) laid over each other: a figure that flickers
// through its poses, darkening what lies under it. Row 37 falls past the camera from 88 s, rows 65 and 73
// walk right from 56 and 117 s.
void DrawFlickeringPanel(const Scene& scene, int row) {
  scene.Drawn(row);
  const double t = scene.t;
  RandomSeed(24234);
  Texturing(true);
  Blend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  scene.Bind(50);
  const double pace = 0.4 * RandomUnit() + 1.2;
  glPushMatrix();
  if (row == 37) {
    glTranslated(-16.2, 660 + 5 * 80 - 5 - pace * (t - 88) * 22, 30);
  } else if (row == 65) {
    glTranslated(pace * (t - 56) * 3.1 - 3.4, 323.8, 30);
  } else {
    glTranslated(pace * (t - 117) * 3.1 - 40, 858.8, 10);
  }
  const double wide = row == 65 ? 1.2 : 1.0;
  for (int i = 0; i < 30; ++i) {
    glPushMatrix();
    glScaled(1.6 * wide, 1.2 * wide, 12);
    const int cell = RandomRaw() % 32;
    const double u = (cell % 16) * 0.0625, v = (cell / 16) * 0.5;
    glColor3f(1, 1, 1);
    glScaled(1.113, 1.05, 1.05);
    glScaled(1, -1.8, 1);
    glBegin(GL_QUADS);
    glTexCoord2d(u, v), glVertex2d(-1, -1);
    glTexCoord2d(u + 0.0625, v), glVertex2d(1, -1);
    glTexCoord2d(u + 0.0625, v + 0.5), glVertex2d(1, 1);
    glTexCoord2d(u, v + 0.5), glVertex2d(-1, 1);
    glEnd();
    glPopMatrix();
  }
  glPopMatrix();
}

void DrawTowers(const Scene& scene) {
  scene.Drawn(69);
  RandomSeed(23453453);
  glEnable(GL_DEPTH_TEST);
  NoBlend();
  Texturing(false);
  Tower(scene, true);
  Tower(scene, false);
}

void DrawShadowedPicture(const Scene& scene) {
  scene.Drawn(70);
  scene.Bind(300);
  glPushMatrix();
  glTranslated(SlidingPictureX(scene.t), 893.64, 10);
  PictureWithShadow();
  glPopMatrix();
}

// The second picture wanders around the first, with two line frames that thicken after 112 s.
void DrawFramedPicture(const Scene& scene) {
  scene.Drawn(71);
  const double t = scene.t;
  RandomSeed(2867586940u);
  scene.Bind(400);
  const double x = SlidingPictureX(t) + 24 * RandomUnit() - 12 + 5 * std::sin(0.374 * t);
  const double y = 893.64 + (18 * RandomUnit() - 9) * 1.5 + 5 * std::sin(0.407 * t);
  glPushMatrix();
  glTranslated(x, y, 10);
  PictureWithShadow();
  Texturing(false);
  glColor3f(0.8f, 0.8f, 0.8f);
  glLineWidth(float(1 + 2 * Ramp(t, 112, 0.5)));
  FrameLines(0.8);
  FrameLines(1.6);
  glLineWidth(1);
  glPopMatrix();
}
