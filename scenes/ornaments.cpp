// Ornaments of the first half's second pass: dials, eyes, glyph figures and meanders at their places.
#include <cmath>

#include "effects/dials.h"
#include "effects/meanders.h"
#include "effects/pen_figures.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/first_half_layers.h"
#include "scenes/ramps.h"

namespace {

struct Ornament {
  Placement placement;
  bool textured;
  double time;  // the time the ornament is drawn at
};

Ornament DialOf(int row, double t, double high) {
  switch (row) {
    case 39:
      return {{-3.5, 69.4, 0, 180, 0.5, 0.5, 0.5, true}, true, -0.5 * t};
    case 40:
      return {{-3.5, 25.4, 0, 180, 0.5, 0.5, 0.5, true}, true, -0.5 * t};
    case 41:
      return {{-3.5, 3.4, 0, 180, 0.5, 0.5, 0.5, true}, true, -0.5 * t};
    case 42:
      return {{-31.5, 25.4, 0, 180, 0.4, 0.4, 0.4, true}, false, 0.5 * t};
    case 45:
      return {{-28, 416, 10}, true, 2 * high + t};
    case 46:
      return {{10.4, 466, 10, 0, 0.7, 0.7, 0.7}, true, 2 * high - 0.5 * t};
    case 47:
      return {{10.4, 370, 10, 0, 0.7, 0.7, 0.7}, true, 2 * high - 0.5 * t};
    case 48:
      return {{-17.4, 458.8, 10, 0, 0.4, 0.4, 0.4}, false, 2 * high - 0.5 * t};
    case 49:
      return {{-3.6, 458.8, 10, 180, 0.4, 0.4, 0.4, true}, false, 2 * high - 0.5 * t};
    case 62:
      return {{-13.1, 727.2, 30, 0, 0.5, 0.5, 0.5}, true, -0.5 * t};
    case 63:
      return {{-13.1, 727.2, 30, 45, 0.1, 0.1, 0.1, true}, true, -1.5 * t};
    default:
      return {{-21.2, 809.4, 10, 45, 0.8, 0.8, 0.8, true}, false, 0.25 * t};
  }
}

Ornament GlyphOf(int row, double t, double high) {
  switch (row) {
    case 50:
      return {{15.55, 566, 0}, true, 2.5 * t + high};
    case 51:
      return {{48.55, 660, 0}, true, 2.6 * t + high};
    case 52:
      return {{42.75, 610, 0}, true, 2.4 * t + high};
    case 61:
      return {{30.95, 752.4, 30, 90, 0.8, 0.99, 0.8, true}, true, 0.5 * t};
    case 76:
      return {{39.6, 847.4, 10}, true, 3.25 * t};
    case 77:
      return {{-38, 847.4, 10}, true, 3.15 * t};
    case 78:
      return {{-7.4, 847.4, 10}, true, -3.05 * t};
    default:
      return {{71.2, 847.4, 10}, true, -2.05 * t};
  }
}

Ornament EyeOf(int row, double t) {
  switch (row) {
    case 53:
      return {{14.6, 592, 0, 0, 0.6, 0.6, 0.6}, false, t};
    case 54:
      return {{29.2, 701, 0, 0, 0.6, 0.6, 0.6}, false, 1.05 * t};
    case 55:
      return {{42.74, 723.2, 0, 180, 0.6, 0.6, 0.6, true}, false, 1.07 * t};
    default:
      return {{-2.18, 760.4, 30, 180, 0.6, 0.6, 0.6, true}, false, 1.033 * t};
  }
}

}  // namespace

void DrawDialLayer(const Scene& scene, int row) {
  scene.Drawn(row);
  const Ornament dial = DialOf(row, scene.t, scene.levels.high);
  if (row == 75) RandomSeed(52345389);
  NoBlend();
  Texturing(dial.textured);
  scene.Bind(24);
  glPushMatrix();
  Place(dial.placement);
  DrawDialB(dial.time, false);
  glPopMatrix();
}

void DrawGlyphLayer(const Scene& scene, int row) {
  scene.Drawn(row);
  const Ornament glyph = GlyphOf(row, scene.t, scene.levels.high);
  const bool large = row == 76 || row == 77;
  if (row <= 52) glColor3f(0.5f, 0, 0);
  NoBlend();
  Texturing(true);
  scene.Bind(row <= 61 ? 25 : 24);
  glPushMatrix();
  Place(glyph.placement);
  DrawGlyphFigure(glyph.time, large ? 2.0 : 1.0);
  glPopMatrix();
}

void DrawEyeLayer(const Scene& scene, int row) {
  scene.Drawn(row);
  const Ornament eye = EyeOf(row, scene.t);
  RandomSeed(52345345);
  NoBlend();
  scene.Bind(24);
  glPushMatrix();
  Place(eye.placement);
  DrawEye(eye.time);
  glPopMatrix();
}

// The meander rises into place from 84 s and on out of it from 105 s; across it slides with a point of the
// single curve, whose stalls hold it still now and then.
void DrawMeanderOnCurve(const Scene& scene) {
  scene.Drawn(59);
  const double t = scene.t;
  RandomSeed(100077);
  NoBlend();
  Texturing(true);
  scene.Bind(24);
  Vec3 point;
  scene.show.curves.single.Evaluate(float(280 * RandomUnit() + 3 * t), point);
  const double rise = 80 * (1 - Ramp(t, 84, 0.2)) - 80 * Ramp(t, 105, 0.2);
  glPushMatrix();
  glTranslated(-4.2 + 0.02 * point.x, 630 - rise, -4.56);
  DrawMeanderA(0.5 * t - 1.8 * scene.levels.high, false);
  glPopMatrix();
}

void DrawMirroredMeanders(const Scene& scene) {
  scene.Drawn(64);
  NoBlend();
  Texturing(true);
  scene.Bind(24);
  for (int i = 0; i <= 10; i += 10) {
    RandomSeed(100021);
    glPushMatrix();
    Place({30.44, 747.8 + i, 30, 0, -1, -1, 1});
    DrawMeanderA(0.52 * scene.t - 1.8 * scene.levels.high, false);
    glPopMatrix();
  }
}

void DrawMeanderRow(const Scene& scene) {
  scene.Drawn(67);
  const double copies = 5 * Ramp(scene.t, 116, 0.3);
  NoBlend();
  Texturing(true);
  scene.Bind(24);
  glColor3f(1, 1, 1);
  RandomSeed(42342314);
  for (int i = 0; i < copies; ++i) {
    glPushMatrix();
    Place({20.0 * i - 30, 850, 0, 90, 0.8, 0.8, 0.8, true});
    DrawMeanderA(0.3 * scene.t - 1.8 * scene.levels.high, false);
    glPopMatrix();
  }
}

void DrawDialPair(const Scene& scene) {
  scene.Drawn(72);
  NoBlend();
  Texturing(true);
  scene.Bind(24);
  glPushMatrix();
  glTranslated(3.2 * (scene.t - 117) - 52, 859.2, 10);
  for (int i = 0; i < 2; ++i) {
    glPushMatrix();
    glTranslated(15.138 * i - 0.22, 1.4, 0);
    glScaled(0.22185, 0.22185, 0.1479);
    DrawDialA(0.3453333333333333 * scene.t, false);
    glPopMatrix();
  }
  glPopMatrix();
}
