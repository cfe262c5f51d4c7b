#include "effects/meanders.h"

#include <algorithm>
#include <cmath>

#include "effects/curve.h"
#include "effects/dials.h"
#include "effects/ribbons.h"
#include "math/random.h"
#include "render/gl_api.h"

namespace {

constexpr int kMostPoints = 320;  // the longest meander path has 290 points

// The pen and the path it draws, opened by two straight runs along x (the pen then stands at (10, 0, 0)).
struct Pen {
  Curve path;
  Vec3 position{kVecValid, 0, 0, 0};
  Vec3 direction{kVecValid, 1, 0, 0};

  Pen() {
    path.points.reserve(kMostPoints);
    Runs(2);
  }

  void Runs(int n) {
    for (int i = 0; i < n; ++i) CurveLineAppend5(path, position, direction);
  }

  // An arc of 26.4 k degree steps whose step count is (raw draw mod choices) + fewest.
  void RandomArc(int choices, int fewest, double k) {
    CurveArcAppend(path, position, direction, RandomRaw() % choices + fewest, k);
  }
};

// Eight ribbons side by side, the outer two black and the sixth untextured; grey(r) turns one draw into the
// ribbon's grey, a second draw sets its texture scale.
template <typename Grey>
void DrawRibbons(const RibbonPath& path, double t, bool dark, Grey grey) {
  for (int j = -4; j <= 3; ++j) {
    double g = grey(RandomUnit());
    if (j == -4 || j == 3) g = 0;
    if (dark) {
      glColor3d(0, 0, 0);
    } else {
      glColor3d(g, g, g * (j * 0.07 + 1));
    }
    if (j == 1) {
      glDisable(GL_TEXTURE_2D);
    } else {
      glEnable(GL_TEXTURE_2D);
    }
    const double texScale = (RandomUnit() * 0.3 + 0.1) * 1.3;
    const Vec3 texOffset(kVecValid, float(0.2 * j * t), float(-0.05 * t), 0);
    DrawRibbonTextured(path, 0, path.curve.count, texOffset, texScale, 0.5 * j, 0.25, -1.0);
  }
}

// Two arcs of radius 9 opening from the top and from the bottom, one side 1.2 times faster, their opening
// breathing with three sines. One draw, not used.
void DrawBreathingArcs(double t) {
  const double v =
      std::clamp(std::fabs(1.5 * std::sin(0.26 * t) * std::sin(0.4 * t) * std::sin(0.54 * t)), 0.0, 1.0);
  RandomUnit();
  const double s = std::pow(v, 4) + 0.5;
  for (double flip : {1.0, -1.0}) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 100; ++i) {
      const double a = i * s * 0.016022122533307946;
      glVertex3d(9 * std::sin(a), flip * 9 * std::cos(a), 0);
      glVertex3d(-9 * std::sin(1.2 * a), flip * 9 * std::cos(1.2 * a), 0);
    }
    glEnd();
  }
}

}  // namespace

void DrawMeanderA(double t, bool dark) {
  Pen pen;
  for (int i = 0; i < 5; ++i) {
    pen.RandomArc(5, 25, std::sin(i + t * 0.5) * 0.065 + 1);
    int runs = 0;
    for (int bound = (RandomRaw() & 3) + 2; runs < bound; bound = (RandomRaw() & 3) + 2) {
      pen.Runs(1);
      ++runs;
    }
  }
  DrawRibbons(pen.path, t, dark, [](double r) { return r * 0.9; });

  glPushMatrix();
  glTranslatef(pen.position.x, pen.position.y, 0.0f);
  glRotated(45, 0, 0, 1);
  glScaled(0.4, 0.4, 0.4);
  DrawDialB(5 * t, dark);
  glPopMatrix();
  glEnable(GL_TEXTURE_2D);
}

void DrawMeanderB(double t, bool withDials) {
  Pen pen;
  const Vec3 start = pen.position;
  for (int i = 0; i < 6; ++i) {
    const double k = std::sin(i + t * 0.5) * 0.07 + 1.03;
    pen.RandomArc(2, 26, k);
    pen.Runs(3);
    if (i == 5) pen.RandomArc(2, 26, k);
  }
  DrawRibbons(pen.path, t, false, [](double r) { return (1.3 * r) * (1.3 * r); });

  glPushMatrix();
  glTranslatef(start.x, start.y, 0.0f);
  glScaled(0.5, 0.5, 0.5);
  if (withDials) {
    DrawDialB(-0.06 * t, false);
    glRotated(180, 0, 0, 1);
    glScaled(0.5, 0.5, 0.5);
    DrawDialB(0.06 * t, false);
    glScaled(2, 2, 2);
    glDisable(GL_DEPTH_TEST);
    DrawBreathingArcs(t);
  }
  glPopMatrix();
  glEnable(GL_TEXTURE_2D);
}

void DrawMeanderC(double t) {
  Pen pen;
  for (int i = 0; i < 4; ++i) {
    pen.Runs(3);
    pen.RandomArc(2, 26, std::sin(i + t * 0.5) * 0.07 + 1.03);
  }
  DrawRibbons(pen.path, t, false, [](double r) { return 0.5 * (1.3 * r) * (1.3 * r); });
  glEnable(GL_TEXTURE_2D);
}
