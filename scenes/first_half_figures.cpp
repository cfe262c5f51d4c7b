// Figures of the first half's first pass: the spiral figures at the top of the canvas, the swinging
// scissors, the red line path through the logo, the darkening specks and strokes and the creature field.
#include <algorithm>
#include <cmath>
#include <vector>

#include "effects/creatures.h"
#include "effects/pen_figures.h"
#include "effects/quads.h"
#include "effects/strokes.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/first_half_layers.h"
#include "scenes/ramps.h"
#include "scenes/rows.h"

namespace {

// Where the line path's logo sits: tilted a little, scaled to about 115 units and centred on the camera's
// path between 14 and 29 s.
constexpr double kLogoTurn = -0.12;
constexpr float kLogoScale = 0.9f;
const Vec3 kLogoCentre(kVecValid, 12, 48, 2);

Vec3 LogoVertex(Vec3 point) {
  const double none = 0.0, turn = kLogoTurn;
  Vec3RotateEuler(point, none, none, turn);
  Vec3 scaled, placed;
  Vec3Scale(point, kLogoScale, scaled);
  return Vec3Add(scaled, kLogoCentre, placed);
}

}  // namespace

void DrawSpiralLayer(const Scene& scene, int row) {
  scene.Drawn(row);
  const double t = scene.t, climb = 12.4 * std::max(0.0, 1.2 * (t - 126.2));
  NoBlend();
  Texturing(true);
  scene.Bind(10);
  glPushMatrix();
  switch (row) {
    case 13:
      glColor3f(0.2f, 0.2f, 0.2f);
      Place({-60, 890, 0, 204 - 3 * t, 1.8, 1.8, 1.8, true});
      break;
    case 14:
      glColor3f(0.2f, 0.2f, 0.2f);
      Place({46, 950, 0, -3 * t, 2.8, 2.8, 2.8, true});
      break;
    case 15:
      glColor3f(0.5f, 0.4f, 0.15f);
      Place({10, 815.4 + climb, 0, 10 * t});
      break;
    default:
      glColor3f(1, 0.8f, 0.3f);
      Place({11.6, 817.0 + climb, 0, 10 * t});
      break;
  }
  DrawSpiralFigure(t);
  glPopMatrix();
}

// A pair of scissor blades sliding in from the right; they open over 0.6 of each unit of the swing and snap
// shut over the next 0.12, while a black quad behind them steps left once per unit.
void DrawSwingingPair(const Scene& scene) {
  scene.Drawn(17);
  const double f = scene.show.fastTime, slide = 190 - 15 * (f - 186);
  RandomSeed(423423);
  RandomUnit();
  const double swing = f - 189;
  double d = swing - std::trunc(swing);
  if (d > 0.6) d = 0.6 - 5 * (d - 0.6);
  const double angle = 30 * std::clamp(d, 0.0, 1.0);

  glPushMatrix();
  glTranslated(slide, 940, 0);
  glDisable(GL_DEPTH_TEST);
  Texturing(false);
  NoBlend();
  glPushMatrix();
  glColor3f(0, 0, 0);
  glTranslated(7 - slide, 0, 0);
  glTranslated(182.8 - 15.6 * std::trunc(swing + 0.28), 99.4, 0);
  glBegin(GL_QUADS);
  glVertex2d(-100, -100), glVertex2d(300, -100), glVertex2d(300, 200), glVertex2d(-100, 200);
  glEnd();
  glPopMatrix();
  Blend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  Texturing(true);
  glColor4f(1, 1, 1, 1);
  glPushMatrix();
  scene.Bind(100);
  FlatQuad(90 - angle, 60, 60);
  glPopMatrix();
  glPushMatrix();
  scene.Bind(101);
  FlatQuad(90 + angle, 60, 60);
  glPopMatrix();
  glPopMatrix();
}

// The logo's traced strokes as red line strips, one a stroke, the list drawn up to the fraction E of its
// strokes: the logo is written stroke by stroke, with nothing drawn between two of them.
void DrawLinePath(const Scene& scene) {
  scene.Drawn(26);
  const std::vector<Curve>& strokes = scene.show.curves.logoCurves;
  const double shown = (Ramp(scene.t, 14) - Ramp(scene.t, 28)) * double(strokes.size());
  if (shown <= 0) return;
  Texturing(false);
  NoBlend();
  glColor3f(0.7f, 0, 0);
  glLineWidth(float(scene.state.setup.renderWidth) / 450.0f);  // as thick at every picture size
  for (size_t i = 0; i < shown; ++i) {
    const Curve& stroke = strokes[i];
    const int points = std::min<int>(stroke.count, int(stroke.points.size()));
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k < points; ++k) {
      const Vec3 v = LogoVertex(stroke.points[size_t(k)]);
      glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
  }
  glLineWidth(1);
}

void DrawSpecksAndStrokes(const Scene& scene) {
  scene.Drawn(27);
  const double t = scene.t;
  const double specks = 14 * (Ramp(t, 14) - Ramp(t, 28)), strokes = 20 * (Ramp(t, 2) - Ramp(t, 25));
  Blend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  Texturing(true);
  scene.Bind(10);
  RandomSeed(231236);
  for (int r = 0; r < specks; ++r) {
    glColor3f(0.6f, 0.5f, 0.5f);
    glPushMatrix();
    const double x = 200 * RandomUnit() - 100;
    const double y = 200 * RandomUnit() - 100;
    glTranslated(x, y, 0);
    FlatQuad(0, 40, 40);
    glPopMatrix();
  }
  for (int r = 0; r < strokes; ++r) {
    const double a = 1 + 0.02 * RandomUnit();
    glColor3f(0, 0, 0);
    glPushMatrix();
    glTranslated(0, 0, 20);
    DrawTaperedStroke(scene.Pool(5, r), 7 * a * t);
    glPopMatrix();
  }
}

// Two hundred creatures on the rising walkers, each walker moved along x to a point of the single curve
// (whose stalls hold it still now and then) that drifts right with the time; the creatures climb their
// walkers while R(7, 0.3) - R(30, 0.3) is up. Passes 131 to 154 also carry a centipede between 7 and 32 s.
void DrawCreatureField(const Scene& scene) {
  scene.Drawn(28);
  const double t = scene.t, climb = Ramp(t, 7, 0.3) - Ramp(t, 30, 0.3);
  NoBlend();
  RandomSeed(234234);
  Texturing(true);
  struct Walker {
    const Curve* curve;
    float x;
    double length, step;
    bool small;
    double smallLength;
  };
  const auto drawWalker = [&scene](const Walker& walker) {
    glPushMatrix();
    glTranslatef(walker.x, 0, 0);
    scene.Bind(10);
    DrawCreatureA(*walker.curve, walker.length, walker.length / 7, walker.step, 1.0, true);
    scene.Bind(11);
    if (walker.small) DrawCreatureC(*walker.curve, walker.smallLength);
    glColor3f(0.7f, 0, 0);
    glPopMatrix();
  };
  PartGroups<Walker, kCreaturesAPart, decltype(drawWalker)> walkers(drawWalker);
  for (int i = 0; i < 200; ++i) {
    Vec3 position;
    scene.show.curves.single.Evaluate(float(80 * RandomUnit() + 0.8 * t), position);
    const double length = climb * (40 * RandomUnit() + 4 * (t - 7));
    const double step = i < 30 ? 1.3 : i < 70 ? 1.7 : i < 180 ? 1.3 : 1.7;
    const double factor = 0.9 * RandomUnit() + 0.1;
    const bool small = Within(t, 7, 32) && i >= 131 && i <= 154;
    walkers.Add({&scene.Pool(7, i), position.x, length, step, small, 7 * (0.7 * factor) * t});
  }
  walkers.Flush();
}
