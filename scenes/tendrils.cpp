// Tendrils and sprouts of the second half: strands of ribbons and square tubes on the meander curves.
#include <algorithm>
#include <cmath>

#include "effects/creatures.h"
#include "effects/dials.h"
#include "effects/ribbons.h"
#include "effects/strokes.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/ramps.h"
#include "scenes/second_half_layers.h"

namespace {

constexpr double kStrandLength = 420;

// What differs between the tendrils.
struct TendrilForm {
  const Curve* curve;
  double firstRampStart;  // the unused ramps' starts (row 19 runs later)
  double secondRampStart;
  double darkX, darkY;  // where the dark pass sits
  double scaleFactor;   // of the texture scales
  double phase;         // of the square tubes
  int lightSlot;
};

// Texture offset o(k) from three draws a, b, c, for strand s (always 0 here: the texture slides along).
Vec3 TendrilOffset(double k, double t) {
  constexpr double s = 0;
  const double a = RandomUnit(), b = RandomUnit(), c = RandomUnit();
  return Vec3(kVecValid, float(1.2 * b * c * s * t), float(k * a * (s + 2) * t), 0);
}

void TendrilRibbon(const TendrilForm& form, double t, double k, double sideShift, double width) {
  const Vec3 offset = TendrilOffset(k, t);
  const double texScale = form.scaleFactor * (0.3 * RandomUnit() + 0.4);
  DrawRibbonTextured(*form.curve, 0, kStrandLength, offset, texScale, sideShift, width, -1);
}

// One strand: a dark pass (a black band and the row of squares) and a light pass (a tinted band, a black
// core, a grey line and the squares again). The caller has placed it.
void Tendril(const Scene& scene, const TendrilForm& form) {
  const double t = scene.t;
  RandomSeed(423444);
  RandomUnit();
  glTranslated(-0.05 * (t - 80), 0, 0);
  glColor3f(0, 0, 1);
  StaggeredRamp(t, form.firstRampStart, 18, 0.03);
  StaggeredRamp(t, form.secondRampStart, 18, 0.07);
  for (int i = 0; i < 30; ++i) RandomUnit();
  StaggeredRamp(t, 65, 18, 0.19);

  glPushMatrix();
  glColor3f(0, 0, 0);
  Texturing(false);
  glTranslated(form.darkX, form.darkY, 0);
  TendrilRibbon(form, t, -0.8, -1.25, 0.55);
  DrawSquareTube(*form.curve, 0, kStrandLength, form.phase, 0);
  glPopMatrix();

  glPushMatrix();
  Texturing(true);
  glColor3f(1, 1, 1);
  for (int i = 0; i < 100; ++i) RandomUnit();
  const double g = 0.5 * RandomUnit() + 0.3;
  const double blue = (RandomUnit() + 0.5) * g;
  glColor3d(g, g, blue);
  scene.Bind(24);
  scene.Bind(form.lightSlot);
  TendrilRibbon(form, t, -0.8, -1.25, 0.55);
  glColor3f(0, 0, 0);
  Texturing(false);
  TendrilRibbon(form, t, -0.4, -0.4, 0.3);
  glColor3f(0.6f, 0.6f, 0.6f);
  TendrilRibbon(form, t, -0.2, 0, 0.2);
  DrawSquareTube(*form.curve, 0, kStrandLength, form.phase, 0);
  glPopMatrix();
}

// Row 19's ornaments: a dial, two grey wave strips whitening at their tips and two small dials.
void TendrilOrnaments(double t) {
  glPushMatrix();
  Place({-16, 46, 0, 180, 0.6, 0.6, 0.6, true});
  DrawDialB(-1.3 * t, false);
  glPopMatrix();
  glPushMatrix();
  glTranslated(-21, -26.4, 0);
  glRotated(-90, 0, 0, 1);
  Texturing(false);
  for (int strip = 0; strip < 2; ++strip) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 40; ++i) {
      const float shade = i > 36 ? 1.0f : 0.6f;
      glColor3f(shade, shade, shade);
      const double y = 2 * std::sin(0.3 * i + 2 * t + strip) + 3 * strip;
      glVertex3d(i, y, 0), glVertex3d(i, y + 0.8, 0);
    }
    glEnd();
  }
  glPopMatrix();
  for (const Placement& dial : {Placement{-17.4, 3.4, 0, 360, 0.3, 0.3, 0.3, true},
                                Placement{-17.4, -7.4, 0, 360, 0.27, 0.27, 0.27, true}}) {
    glPushMatrix();
    Place(dial);
    DrawDialB(0.3 * t, false);
    glPopMatrix();
  }
}

struct SproutForm {
  int curve;
  int firstStrand, lastStrand;
  double growthStart;  // the window's start
  double tintFactor, scaleFactor;
};

// A sprout in the first half's simpler strand form: black strands growing from the window's start with
// tinted copies on the fast ramp from 65 s (full grown by then), both eaten from their start after 184 s; the
// whole sprout drifts left. In row 24 one strand in ten takes the third pattern at twice the scale.
void Sprout(const Scene& scene, const SproutForm& form, bool mayPickThird) {
  const double t = scene.t;
  const RibbonPath path(scene.Pool(4, form.curve));
  glTranslated(-0.05 * (t - 80), 0, 0);
  for (int j = form.firstStrand; j <= form.lastStrand; ++j) {
    const double eaten = StaggeredRamp(t, 184, 8, 0.03);
    const double grown = StaggeredRamp(t, form.growthStart, 18, 0.07);
    const double tip = StaggeredRamp(t, 65, 18, 0.19);
    const Vec3 offset(kVecValid, float(0.1 * j * t), float(0.1 * t), 0);
    glPushMatrix();
    glColor3f(0, 0, 0);
    glTranslated(-0.4, 0.4, 0);
    scene.Bind(25);
    DrawRibbonTextured(path, kStrandLength * eaten, kStrandLength * grown, offset, 0.1, j, 0.45, -1);
    glPopMatrix();
    glColor3f(0, 0.3f, 0.5f);
    const double m = 0.5 * RandomUnit() + 0.3;
    const double blue = (RandomUnit() + 0.5) * m;
    glColor3d(form.tintFactor * m, form.tintFactor * m, form.tintFactor * blue);
    scene.Bind(24);
    const bool third = mayPickThird && RandomUnit() < 0.1;
    scene.Bind(third ? 31 : 30);
    const double texScale = (third ? 2 : 1) * form.scaleFactor * (0.3 * RandomUnit() + 0.4);
    DrawRibbonTextured(path, kStrandLength * eaten, kStrandLength * tip, offset, texScale, j, 0.45, -1);
  }
}

}  // namespace

void DrawTendril(const Scene& scene, int row) {
  scene.Drawn(row);
  const double t = scene.t;
  NoBlend();
  glColor3f(1, 1, 1);
  scene.Bind(30);
  glPushMatrix();
  TendrilForm form{&scene.Pool(4, 0), 169, 140, -0.4, 0.72, 2, t, 30};
  if (row == 18) {
    Place({116.8, 1079.72, 0, 90, 2.1, 2.1, 2.1});
  } else if (row == 19) {
    // Eases in over its first second, then wanders slowly with the free clock.
    const double e = EaseCurve(Ramp(t, 147) - Ramp(t, 205), 1), f = scene.show.fastTime;
    Place(
        {140 + 30 * (1 - e) + 5 * std::sin(0.21 * f), 1075 + 3 * std::sin(0.17 * f), 0, 270, 2.1, 2.1, 2.1});
    form.firstRampStart = 199;
    form.secondRampStart = 160;
    form.darkX = form.darkY = 0.6;
  } else {
    Place({216.4, 1102, 1, 180, 3, 3, 3});
    form.curve = &scene.Pool(4, 4);
    form.scaleFactor = 4;
    form.phase = -t;
    form.lightSlot = 31;
  }
  Tendril(scene, form);
  if (row == 19) TendrilOrnaments(t);
  glPopMatrix();
}

void DrawTendrilRow(const Scene& scene) {
  scene.Drawn(33);
  const double t = scene.t, count = 4 * ((1 - Ramp(t, 200, 1)) * Ramp(t, 148, 1) + 1);
  NoBlend();
  for (int k = 4; k < count; ++k) {
    glColor3f(1, 1, 1);
    glPushMatrix();
    glTranslated(120 * (k - 4) + 52, 1062 - 1.5 * (t - 145.2), 37);
    glScaled(3, 3, 3);
    Tendril(scene, {&scene.Pool(4, k - 2), 169, 140, -0.4, 0.72, 4, 2.8 * t, 31});
    if (k == 7) {
      // Two creatures crawl the last tendril at 12 units a second, the second a random part of the way.
      const double length = 12 * std::max(0.0, t - 148);
      const double second = (0.5 * RandomUnit() + 0.3) * length;
      DrawCreatureB(scene.Pool(4, 5), length, 1.5, 1.0, -1.4);
      DrawCreatureB(scene.Pool(4, 5), second, 1.5, 1.0, -1.4);
    }
    glPopMatrix();
  }
}

void DrawSecondHalfSprout(const Scene& scene, int row) {
  scene.Drawn(row);
  const double t = scene.t;
  NoBlend();
  Texturing(true);
  glColor3f(1, 1, 1);
  RandomSeed(423444);
  glPushMatrix();
  if (row == 24) {
    const double e = EaseCurve(Ramp(t, 175), 1);
    Place({254.8, 1101.3 + 15 * (1 - e), 20, 0, 2.5, 2.5, 2.5});
    Sprout(scene, {0, -4, 4, 175, 1.0, 2.0}, true);
  } else if (row == 27) {
    const double e = EaseCurve(Ramp(t, 172), 1);
    Place({280.8 + 15 * (1 - e), 1001.43, 24, 0, 2.5, 2.5, 2.5});
    Sprout(scene, {2, -3, 3, 172, 1.0, 1.0}, false);
  } else {
    const double e = EaseCurve(Ramp(t, 157), 1);
    Place({10 * std::sin(2.7 * (1 - e)) + 160.8, -5 * std::cos(2.7 * (1 - e)) + 1057.404, 24, 270, 2, 2, 2});
    Sprout(scene, {0, -3, 3, 157, 0.7, 1.0}, false);
  }
  glPopMatrix();
}
