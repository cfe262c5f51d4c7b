// The second half's backdrop: colour columns, the wall of multiplied shapes, the pattern backgrounds, the
// black ground and blades, and the pictures laid over them.
#include <algorithm>
#include <cmath>

#include "assets/textures.h"
#include "effects/quads.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/ramps.h"
#include "scenes/second_half_layers.h"

namespace {

// Column i spans x from 20 i - 100 (at most 300) to 20 (i + 1) - 100, y from 0 to 1445.
void Column(int i) {
  Rectangle(200 * std::min(0.1 * i, 2.0) - 100, 0, 20 * (i + 1) - 100, 1445);
}

// Ten trials that advance the generator by a number of draws that grows with t from 120 s on.
void ReshuffleTrials(double t) {
  for (int trial = 0; trial < 10; ++trial) {
    double w = t - 120 - 80 * RandomUnit();
    w = w >= 0 ? t - 120 - 80 * RandomUnit() : 0.0;
    if (RandomUnit() < w) {
      RandomUnit();
    } else if (t - 120 - 80 * RandomUnit() >= 0) {
      RandomUnit();
    }
  }
}

struct WallShape {
  double from, to;  // the window; from < 0 means none, to > 1e8 means open-ended
  double x, y, angle, sx, sy;
  int list;  // 0 for the black quad
};

constexpr double kOpen = 1e9;

// The wall's shapes; the two slivers' x are set per frame.
const WallShape kWall[] = {
    {149, 184, 0, 0, 128, 96, 96, kBladesList},
    {-1, 193, -28, 0, 180, 130, 130, kBlobsList},
    {165, 219, 240, -60, 50, 300, 300, kBlobsList},
    {193, 220.5, 400, 96, 131.7, 160, 160, kBladesList},
    {161, 221, 180, 152, -476.6, 250, 250, kBlobsList},
    {182, 208, 312, -54, -609.6, 140, 140, kScatterList},
    {185, 216, 312, 66, -489.6, 110, 110, kScatterList},
    {218, kOpen, 312, 386, -549.6, 190, 190, kScatterList},
    {152, 200, 112, -10, -584.6, 120, 120, kScatterList},
    {-1, kOpen, 224, 343.467, -379.6, 280, 280, kBlobsList},
    {-1, kOpen, 224, 566.467, 0, 1, 1, 0},
    {190, 209, 311, 9.12, -476.6, 10, 20, kBlobsList},
    {190, 209, 314.4, -30.68, -286.6, 8, 19, kBlobsList},
    {205, kOpen, 340, 285.32, -492.35, 150, 250, kBladesList},
    {195, kOpen, 363.1, 181.32, -292.35, 170, 170, kBlobsList},
    {206, kOpen, 316.2, 535.32, -502.35, 210, 210, kBlobsList},
    {226, kOpen, 316.2, 559.32, -152.35, 219, 219, kBladesList},
};

bool Shows(const WallShape& shape, double t) {
  if (shape.from < 0) return Before(t, shape.to) || shape.to >= kOpen;
  if (shape.to >= kOpen) return After(t, shape.from);
  return Within(t, shape.from, shape.to);
}

// The picture on the lid of the wall: a black band 300 wide and 120 high.
void BlackQuad() {
  Rectangle(-150, 0, 150, 120);
}

void WallCopy(double t, int k) {
  // The two slivers part, 13 units each way, over the 17 s after 192 s.
  const double parting = 0.22 * 60 * Ramp(t, 192, 0.06);
  glPushMatrix();
  glTranslated(0, -51.2, 0);
  glTranslated(161.634, 1123, -0.4 * k);
  const float grey = k == 0 ? 0.2f : k == 5 ? 0.0f : 0.7f;
  for (size_t i = 0; i < std::size(kWall); ++i) {
    const WallShape& shape = kWall[i];
    if (!Shows(shape, t)) continue;
    glColor3f(grey, grey, grey);
    glPushMatrix();
    const double x = i == 11 ? shape.x - parting : i == 12 ? shape.x + parting : shape.x;
    glTranslated(x, shape.y, 0);
    if (shape.list == 0) {
      glColor3f(0, 0, 0);
      BlackQuad();
    } else {
      glRotated(shape.angle, 0, 0, 1);
      glScaled(shape.sx, shape.sy, 0);
      glCallList(GLuint(shape.list));
    }
    glPopMatrix();
  }
  glPopMatrix();
}

}  // namespace

void DrawColourColumns(const Scene& scene) {
  scene.Drawn(1);
  Texturing(false);
  NoBlend();
  glPushMatrix();
  glTranslated(0, 500, 0);
  for (int i = 0; i < 13; ++i) {
    ReshuffleTrials(scene.t);
    const double v = RandomUnit() + 0.5;
    glColor3d(0.4 * v, 0.3 * v, 0.2 * v);
    Column(i);
  }
  glPopMatrix();
}

void DrawSecondColourColumns(const Scene& scene) {
  scene.Drawn(2);
  Texturing(false);
  NoBlend();
  RandomSeed(42342362);
  glPushMatrix();
  glTranslated(270, 500, 0);
  for (int i = 0; i < 25; ++i) {
    const double w = 0.8 * (RandomUnit() + 0.5);
    glColor3d(0.4 * w, 0.3 * w, 0.3 * w);
    Column(i);
  }
  glPopMatrix();
}

void DrawShapeWall(const Scene& scene) {
  scene.Drawn(3);
  Texturing(false);
  Blend(GL_DST_COLOR, GL_SRC_COLOR);
  for (int k = 0; k < 6; ++k) WallCopy(scene.t, k);
}

int ShapeWallShapesAt(double t) {
  return int(
      std::count_if(std::begin(kWall), std::end(kWall), [t](const WallShape& s) { return Shows(s, t); }));
}

void DrawPatternBackground(const Scene& scene) {
  scene.Drawn(7);
  const double t = scene.t;
  const bool turned = !(t < 173);
  Blend(GL_DST_COLOR, GL_ZERO);
  Texturing(true);
  scene.Bind(24);
  glPushMatrix();
  BillboardQuad(0, 1350, 1350, turned ? -0.25 * t : 0.25 * t, 0.25 * t, turned ? 450 : 600);
  glPopMatrix();
}

// A second pattern laid over the top right in the state the pattern background leaves: textured, multiplied.
void DrawCornerBackground(const Scene& scene) {
  scene.Drawn(8);
  glColor3f(1, 1, 1);
  Texturing(true);
  scene.Bind(24);
  Blend(GL_DST_COLOR, GL_ZERO);
  glPushMatrix();
  glTranslated(800, 1920, 0);
  BillboardQuad(0, 600, 600, 0.25 * scene.t, 0.25 * scene.t, 250);
  glPopMatrix();
}

void DrawPictureWithSoftShadow(const Scene& scene) {
  scene.Drawn(26);
  const double t = scene.t;
  const double e1 = EaseCurve(Ramp(t, 143, 0.15), 1), e2 = EaseCurve(e1, 1);
  const double y = 0.1 * std::sin(0.6 * t) + e2, w = 40 * std::max(0.0, 0.2 * e1 * (t - 145));
  const double sway = 2.2 * std::sin(0.7 * t);
  const auto layer = [&](double x, double yBase, double angle, float alpha, GLenum source,
                         GLenum destination) {
    scene.Bind(60);
    SetLinearFilters();
    Texturing(true);
    Blend(source, destination);
    glColor4f(0.7f, 0.7f, 0.7f, alpha);
    glPushMatrix();
    glTranslated(x, yBase + 30 * y, 0);
    FlatQuad(angle, 23, 23);
    glPopMatrix();
    Texturing(false);
    NoBlend();
  };
  layer(w - 17, 1048, sway, 0.5f, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
  layer(w - 20, 1050, sway + 12 * Ramp(t, 197, 0.12), 1.0f, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void DrawBlackBlades(const Scene& scene) {
  scene.Drawn(29);
  Texturing(false);
  NoBlend();
  glColor3f(0, 0, 0);
  glPushMatrix();
  glTranslated(0, -51.2, 0);
  Place({10, 1067, 20, 28, 100, 100, 0});
  glCallList(kBladesList);
  glPopMatrix();
}

void DrawBlackGround(const Scene& scene) {
  scene.Drawn(30);
  Texturing(false);
  NoBlend();
  glColor3f(0, 0, 0);
  glPushMatrix();
  glTranslated(0, -51.2, 0);
  glTranslated(0, 583, 20);
  Rectangle(-300, 0, 300, 500);
  glPopMatrix();
}

void DrawDarkeningPicture(const Scene& scene) {
  scene.Drawn(32);
  glColor4f(1, 1, 1, 1);
  Texturing(true);
  Blend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  scene.Bind(500);
  glPushMatrix();
  glTranslated(297.6, 1034, 20);
  FlatQuad(0, 3.2, 3.4);
  glPopMatrix();
  Texturing(false);
  NoBlend();
}
