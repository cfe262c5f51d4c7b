#include "effects/pen_figures.h"

#include <algorithm>
#include <cmath>

#include "effects/creatures.h"
#include "effects/curve.h"
#include "effects/ribbons.h"
#include "effects/sweep.h"
#include "math/random.h"

namespace {

constexpr int kSpiralPoints = 245;
constexpr double kSixteenthTurn = 0.19634954084936207;  // pi / 16
constexpr double kTenthTurn = 0.3141592653589793;       // pi / 10
constexpr int kGlyphPoints = 115;
constexpr double kMostDashes = 10000;  // far beyond any figure of the show; keeps absurd scales finite

// n unit steps, each turning the direction about z before stepping.
void TurningSteps(Curve& curve, Vec3& position, Vec3& direction, int n, double turn) {
  for (int i = 0; i < n; ++i) {
    direction = Turned(direction, turn);
    Vec3Add(position, direction, position);
    curve.Append(position);
  }
}

Curve SpiralPath() {
  Curve path;
  path.points.reserve(kSpiralPoints);
  Vec3 position(kVecValid, 0, 0, 0), direction(kVecValid, 0, 1, 0);
  for (int i = 0; i < 8; ++i) {
    TurningSteps(path, position, direction, 20, -kSixteenthTurn);
    TurningSteps(path, position, direction, 10, kTenthTurn);
  }
  TurningSteps(path, position, direction, 5, -kSixteenthTurn);
  return path;
}

// The glyph's loop: a long side, a quarter turn, a short side of `shortSide`, a quarter turn, a long side
// stretched by scale back, and once more round.
Curve GlyphPath(double shortSide, double scale) {
  Curve path;
  path.points.reserve(kGlyphPoints);
  Vec3 position(kVecValid, 0, 0, 0), step(kVecValid, 0.5, 0, 0);
  const float stretch = float(scale), unstretch = float(1 / scale);
  const auto longSide = [&] {
    Vec3Scale(step, stretch, step);
    CurveLineAppend15(path, position, step);
    CurveLineAppend15(path, position, step);
    Vec3Scale(step, unstretch, step);
  };
  const auto bend = [&] {
    CurveTurnAppend(path, position, step);
    CurveStepAppend4(path, position, step, shortSide);
    CurveTurnAppend(path, position, step);
  };
  CurveLineAppend15(path, position, step);
  bend();
  longSide();
  bend();
  longSide();
  return path;
}

// Dashes beside the loop, each one parameter unit long, starting t units along and running around.
void DrawDashes(const Curve& path, double t, double dashes) {
  glBegin(GL_QUADS);
  for (int i = 0; i < dashes; ++i) {
    const float p = float(path.count * i / dashes + t);
    Vec3 a, c, tangent, normal;
    path.Evaluate(p, a);
    path.Evaluate(float(p + 0.1), c);
    Vec3Sub(c, a, tangent);
    Vec3Normalize(tangent);
    Vec3Cross(kOutOfPlane, tangent, normal);
    Vec3Normalize(normal);
    Vec3 ahead;
    Vec3Add(a, tangent, ahead);
    FlatVertex(Along(a, normal, 0.6));
    FlatVertex(Along(Along(a, normal, 1.4), normal, 0.6));
    FlatVertex(Along(Along(ahead, normal, 1.4), normal, 0.6));
    FlatVertex(Along(ahead, normal, 0.6));
  }
  glEnd();
}

}  // namespace

void DrawSpiralFigure(double t) {
  glTranslated(3.1, 20.4, 0);
  const Curve spiral = SpiralPath();
  const RibbonPath path(spiral);

  glDisable(GL_TEXTURE_2D);
  for (int i = 1; i <= 6; ++i) {
    RandomUnit();
    DrawRibbon(path, 0, kSpiralPoints, i, 0.5, -1);
  }

  glDisable(GL_TEXTURE_2D);
  glPushMatrix();
  glTranslated(-3.1, -20.4, 0);
  glBegin(GL_QUADS);
  glVertex3d(-11.5, -11.6, 0);
  glVertex3d(11.5, -11.6, 0);
  glVertex3d(11.5, 11.6, 0);
  glVertex3d(-11.5, 11.6, 0);
  glEnd();
  glPopMatrix();

  glEnable(GL_TEXTURE_2D);
  for (int i = 1; i <= 3; i += 2) {
    glColor3f(0, 0, 0);
    glEnable(GL_TEXTURE_2D);
    RandomUnit();  // spent: the layout of what follows counts on it
    const double texScale = 0.05;
    const Vec3 texOffset(kVecValid, float(0.1 * i * t), float(0.4 * t), 0);
    DrawRibbonTextured(path, 0, kSpiralPoints, texOffset, texScale, i, 0.5, -1);
  }

  // Each creature sets off at its own moment within 50 s of 70 s and crawls at 3 to 3.5 units a second.
  for (int i = 0; i < 30; ++i) {
    double x = t - 70 - 50 * RandomUnit();
    if (x < 0) {
      x = 0;
    } else {
      x = t - 70 - 50 * RandomUnit();
    }
    const double along = (RandomUnit() + 6) * x * 0.5;
    glPushMatrix();
    DrawCreatureB(spiral, along, 1.5, 1.0, 0.0);
    glPopMatrix();
  }
}

void DrawGlyphFigure(double t, double scale) {
  const double breath = std::sin(t) + 1;
  glTranslated(0, -breath, 0);
  Curve path = GlyphPath(breath, scale);

  const RibbonPath ribbons(path);
  for (int j = -5; j <= 1; ++j) {
    double g = 0.3 * (RandomUnit() + 1);
    if (j != 0) g = 0;
    glColor3d(g, g, g);
    RandomUnit();  // spent: the layout of what follows counts on it
    const double texScale = 0.55;
    const Vec3 texOffset(kVecValid, float(0.2 * j * t), float(t), 0);
    DrawRibbonTextured(ribbons, 0, path.count, texOffset, texScale, j, 0.5, -1.0);
  }

  glDisable(GL_TEXTURE_2D);
  glColor3f(0.6f, 0.6f, 0.6f);
  DrawRibbon(ribbons, 0, kGlyphPoints, -0.7, 0.3, -1.0);

  // The last 16 points leave the loop; what remains is evened out to one point per dash.
  const double dashes = std::clamp(20 * scale, 0.0, kMostDashes);
  path.count -= 16;
  path.Resample(int(dashes), 3);
  if (path.count > 0) DrawDashes(path, t, dashes);
  glEnable(GL_TEXTURE_2D);
}
