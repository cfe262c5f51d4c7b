// Figures of the second half: spirals, the shower of falling shapes, the falling pictures, the creature
// groups, the streams of diamonds, the zoom into the mirrored meanders, the eyes and the dark meanders.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "effects/creatures.h"
#include "effects/dials.h"
#include "effects/meanders.h"
#include "effects/pen_figures.h"
#include "effects/quads.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/ramps.h"
#include "scenes/rows.h"
#include "scenes/second_half_layers.h"

namespace {

constexpr int kShapePolygons = 1001;  // the per-polygon lists of the scattered shapes, 32 of them

// One falling shape of the shower in the row's frame: drop, place, size and spin from the generator.
void FallingShape(double t, int j) {
  const double f = 1 + 1.5 * RandomUnit();
  const double d = 6 * std::pow((RandomUnit() + 1) * 0.4 * std::max(0.0, t - 206 - 0.119 * j), 2.3);
  const double x = 0.8 * (200 * RandomUnit() - 100);
  glTranslated(x, 4 * (t - 215) + 40 - d, 0);
  glScaled(150 * f, 150 * f, 150 * f);
  glRotated((RandomUnit() - 0.5) * t * 320, 0, 0, 1);
  const double jitterX = 0.02 * RandomUnit();
  glTranslated(jitterX, 0.02 * RandomUnit(), 0);
}

// The single curve as a timing curve: where `along` lands past a random start p, less p.
double Timed(const Scene& scene, double along, double p) {
  Vec3 point;
  scene.show.curves.single.Evaluate(float(p + along), point);
  return point.x - p;
}

void Diamond(double x, double y, double h) {
  glVertex3d(x, y, 0), glVertex3d(x + h, y + h, 0), glVertex3d(x, y + 2 * h, 0), glVertex3d(x - h, y + h, 0);
}

// A batch of n diamonds streaming sideways at speed factor c, wrapping in a band `wide` units across
// from x0, spread over `tall` units about y0.
void DiamondBatch(double t, double n, double c, double wide, double x0, double tall, double y0) {
  glBegin(GL_QUADS);
  for (int i = 0; i < n; ++i) {
    const double g = 0.8 * RandomUnit() + 0.2;
    glColor3d(g, g, g);
    const double h = 0.15 * (RandomUnit() + 1);
    RandomUnit();
    const double a = RandomUnit() - 0.5;
    const double d = (0.3 * RandomUnit() + 0.01) * c * t;
    const double p = 800 * RandomUnit() + d;
    Diamond(wide * (p - std::trunc(p)) + x0, tall * a + y0, h);
  }
  glEnd();
}

void MeanderPair(double t, int i, bool mirrored) {
  const int shift = (9 - i) / 3 + 1;
  glPushMatrix();
  Texturing(true);
  glTranslated(470, 1442 + 2.5 * i, 0);
  if (mirrored) glScaled(-1, 1, 1);
  glTranslated(-shift, 0, 0);
  DrawMeanderB(0.3 * (0.1 * i - 34 * t), i == 9);
  glPopMatrix();
}

}  // namespace

void DrawSecondHalfSpiral(const Scene& scene, int row) {
  scene.Drawn(row);
  const double t = scene.t;
  RandomSeed(4234234);
  NoBlend();
  Texturing(true);
  scene.Bind(10);
  glPushMatrix();
  if (row == 4) {
    glColor3f(0.5f, 0.4f, 0.15f);
    Place({-10, 1082, 0, 204 - 3 * t, 2.8, 2.8, 3.6, true});
    DrawSpiralFigure(t);
  } else {
    glColor3f(1, 0.8f, 0.3f);
    Place({-13, 1079, 0, 204 - 3 * t, 2.8, 2.8, 3.6, true});
    DrawSpiralFigure(1.1 * t);
  }
  glPopMatrix();
}

// Two groups from the same seed: dark multiplied shadows, then the coloured shapes 1.3 units beside them.
void DrawFallingShapes(const Scene& scene) {
  const double t = scene.t, n = 180 * (Ramp(t, 211, 0.3) - Ramp(t, 238, 0.3));
  if (n > 0) scene.Drawn(6);
  glEnable(GL_DEPTH_TEST);
  NoBlend();
  Texturing(false);
  glColor3f(1, 0, 0);
  glPushMatrix();
  glTranslated(478, 1576.6, 0);
  RandomSeed(42342342);
  for (int j = 0; j < n; ++j) {
    glPushMatrix();
    RandomUnit();
    FallingShape(t, j);
    Blend(GL_ZERO, GL_SRC_COLOR);
    glColor3f(0.1f, 0.1f, 0.1f);
    glCallList(GLuint(kShapePolygons + RandomRaw() % 32));
    glPopMatrix();
  }
  RandomSeed(42342342);
  for (int j = 0; j < n; ++j) {
    glPushMatrix();
    glTranslated(1.3, 1.3, 0);
    const double m = 0.8 * (RandomUnit() + 0.5);
    glColor3d(0.4 * m, 0.3 * m, 0.3 * m);
    FallingShape(t, j);
    NoBlend();
    glCallList(GLuint(kShapePolygons + RandomRaw() % 32));
    glPopMatrix();
  }
  glPopMatrix();
}

void DrawFallingPictures(const Scene& scene) {
  scene.Drawn(9);
  const double t = scene.t, rows = 4 * (1 - Ramp(t, 157, 1));
  RandomSeed(42343460);
  for (int j = 0; j < rows; ++j) {
    for (int k = 0; k <= 3 - j; ++k) {
      glPushMatrix();
      Texturing(true);
      const double d = std::max(0.0, t - 148 - 8 * RandomUnit());
      glTranslated(18.2 * k - 55.4, 1061.2 - 10.24 * j - std::pow(2 * d, 1.4), 3 * j - 5);
      scene.Bind(300);
      Blend(GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
      glColor4f(0, 0, 0, 0.3f);
      glPushMatrix();
      glTranslated(1.2, 1.2, 0);
      FlatQuad(0, 16.38, 54.6);
      glPopMatrix();
      glColor3f(0.8f, 0.8f, 0.8f);
      Blend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glPushMatrix();
      FlatQuad(0, 16.38, 54.6);
      glPopMatrix();
      glPopMatrix();
    }
  }
  NoBlend();
  Texturing(false);
  glDisable(GL_DEPTH_TEST);
}

void DrawCreatureGroup(const Scene& scene) {
  const double t = scene.t, n = 200 * (Ramp(t, 190, 0.25) - Ramp(t, 218, 0.5));
  if (n > 0) scene.Drawn(10);
  RandomSeed(234234);
  NoBlend();
  Texturing(false);
  glDisable(GL_DEPTH_TEST);
  scene.Bind(10);
  struct Walker {
    const Curve* curve;
    bool leader;
    double along, small;
  };
  const auto drawWalker = [&scene](const Walker& walker) {
    glPushMatrix();
    glTranslated(472.6, 1074, 0);
    scene.Bind(10);
    if (!walker.leader) DrawCreatureA(*walker.curve, walker.along, walker.along / 7, 1.7, 1.0, true);
    DrawCreatureC(*walker.curve, walker.small);
    glPopMatrix();
  };
  PartGroups<Walker, kCreaturesAPart, decltype(drawWalker)> walkers(drawWalker);
  for (int i = 0; i < n; ++i) {
    const bool leader = i % 71 == 0;  // sets off two seconds early and carries no small creature
    const double m = 0.02 * RandomUnit() + 1;
    const double o = 2 * std::max(0.0, t - (leader ? 192 : 194) - 0.03 * i);
    const double q = std::clamp(0.8 * (0.02 * RandomUnit() + 0.05) * (t - 192), 0.0, 1.0);
    const double length = 7 * m * std::min(30.0, (2 - q) * o);
    const double along = Timed(scene, length, 80 * RandomUnit());
    walkers.Add({&scene.Pool(7, i), leader, along, 0.3 * m * length});
  }
  walkers.Flush();
  NoBlend();
  Texturing(false);
  glEnable(GL_DEPTH_TEST);
}

void DrawDiamondFields(const Scene& scene) {
  const double t = scene.t;
  const double first = 2000 * Ramp(t, 169, 0.333), second = 500 * (1 - Ramp(t, 184, 0.5));
  if (first > 0 || second > 0) scene.Drawn(12);
  glEnable(GL_DEPTH_TEST);
  NoBlend();
  Texturing(false);
  RandomSeed(4234234);
  glPointSize(12);
  glColor3f(1, 1, 1);
  glPushMatrix();
  glTranslated(0, -51.2, 0);
  glTranslated(95.634, 1123, 0);
  if (After(t, 225)) glTranslated(0, 300, 0);
  const double late = t <= 225 ? 1.0 : 0.35;
  DiamondBatch(t, first, 0.054 * late, 288, 200, 480, 180);
  glTranslated(-300, 0, 0);
  DiamondBatch(t, second, 0.036, 144, 270, 192, 0);
  glPopMatrix();
  glPointSize(1);
}

// The view swings and zooms in on the meanders from 224 s and is back at 1.1 by 234 s.
void BeginMeanderZoom(const Scene& scene) {
  const double t = scene.t;
  const double e1 = EaseCurve(Ramp(t, 227, 0.1), 1);
  const double y2 = 10 - 88 * EaseCurve(Ramp(t, 220, 0.17) + 0.09 * std::sin(3 * t), 1);
  const double q = std::pow(2.5 * std::max(0.0, t - 233), 2);
  const double z = 3.55 * EaseCurve(std::sin(std::numbers::pi * Ramp(t, 224, 0.1)), 1) + 1.1;
  RandomSeed(12342354);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glPushMatrix();
  glTranslated(470, 1449.5, 0);
  glTranslated(10 * std::sin(0.6 * t), 8.4 * (t - 222) + 60 * e1 + q + y2 - 48, 1.8);
  glRotated(10 * std::sin(0.4 * t) + 0.3 * (y2 + 30) * (1 - e1) + 0.25 * q, 0, 0, 1);
  glScaled(z, z, 1);
  glTranslated(-470, -1449.5, 0);
}

void DrawMirroredMeanderCopies(const Scene& scene) {
  const double t = scene.t, copies = 10 * Ramp(t, 218, 1);
  if (copies > 0) scene.Drawn(13);
  scene.Bind(24);
  for (int i = 0; i < copies && i < 10; ++i) {
    MeanderPair(t, i, false);
    MeanderPair(t, i, true);
    if (i % 3 != 1) continue;
    for (double side : {0.5, -0.5}) {
      glPushMatrix();
      Texturing(true);
      glTranslated(470, 1444.8 + 2.5 * i, 0);
      scene.Bind(24);
      glScaled(side, -0.5, 0.5);
      glTranslated(-10, 0, 0);
      DrawMeanderC(0.3 * (t + 0.1 * i - 16));
      glPopMatrix();
    }
  }
  glDisable(GL_DEPTH_TEST);
}

void DrawSmallCreatureGroup(const Scene& scene) {
  const double t = scene.t, n = 200 * (Ramp(t, 217, 0.25) - Ramp(t, 235, 0.25));
  if (n > 0) scene.Drawn(14);
  RandomSeed(234234);
  for (int i = 0; i < n; ++i) {
    glPushMatrix();
    glTranslated(461.1, 1464.6, 0);
    if (i % 2 == 1) glTranslated(18, 0, 0);
    const double m = 0.02 * RandomUnit() + 1;
    const double o = 0.7 * std::max(0.0, t - 224 - 0.05 * i);
    const double q = std::clamp(0.8 * (0.02 * RandomUnit() + 0.05) * (t - 222), 0.0, 1.0);
    const double length = std::min(30.0, (2 - q) * o);
    const double along = Timed(scene, 7 * m * length, 80 * RandomUnit());
    scene.Bind(10);
    glScaled(0.28, 0.28, 0.28);
    DrawCreatureA(scene.Pool(8, i), along, along / 7, 1.7, 1.0, false);
    glPopMatrix();
  }
}

void EndMeanderZoom() {
  glPopMatrix();
}

void DrawSecondHalfEye(const Scene& scene, int row) {
  scene.Drawn(row);
  RandomSeed(52345345);
  NoBlend();
  scene.Bind(24);
  glPushMatrix();
  glTranslated(row == 21 ? 199 : 241.2, 1091.6, 0);
  glScaled(0.8, 0.8, 0.8);
  DrawEye(0.3 * scene.t);
  glPopMatrix();
}

void DrawDarkMeanders(const Scene& scene) {
  scene.Drawn(31);
  const double t = scene.t, copies = 5 * (1 - Ramp(t, 155, 1));
  NoBlend();
  RandomSeed(12342354);
  Texturing(true);
  scene.Bind(24);
  for (int i = 0; i < copies; ++i) {
    glPushMatrix();
    Place({15.0 * i - 30, 1042, 20, 90, 0.5, 0.5, 0.5, true});
    DrawMeanderA(0.3 * t - 1.8 * scene.levels.high, true);
    glPopMatrix();
  }
}
