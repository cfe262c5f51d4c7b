// The first half's backdrop: shape lists in flat colours, banded quads, waves and the blended pictures and
// backgrounds under everything else.
#include <cmath>

#include "effects/quads.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/first_half_layers.h"
#include "scenes/ramps.h"

namespace {

constexpr double kFlat = 0.0;  // shapes are flat: their z scale is 0

void ShapeList(int list, const Placement& placement) {
  glPushMatrix();
  Place(placement);
  glCallList(list);
  glPopMatrix();
}

// An untextured, unblended shape list in one colour.
void PlainList(int list, const Placement& placement, float r, float g, float b) {
  Texturing(false);
  NoBlend();
  glColor3f(r, g, b);
  ShapeList(list, placement);
}

// Untextured drawing moved y units up the canvas.
void OnCanvas(double y, void (*draw)()) {
  Texturing(false);
  glPushMatrix();
  glTranslated(0, y, 0);
  draw();
  glPopMatrix();
}

}  // namespace

void DrawBackdropList(const Scene& scene) {
  scene.Drawn(1);
  scene.Bind(21);
  PlainList(kScatterList, {0, 300, 0, -130, 100, 100, kFlat}, 0, 0.3f, 0.5f);
}

void DrawBlueList10(const Scene& scene) {
  scene.Drawn(4);
  PlainList(kBladesList, {0, 400, 0, -130, 150, 150, kFlat}, 0, 0.3f, 0.5f);
}

void DrawWhiteList10(const Scene& scene) {
  scene.Drawn(5);
  PlainList(kBladesList, {0, 0, 20, -52, 150, 150, kFlat}, 1, 1, 1);
}

void DrawBlueBand(const Scene& scene) {
  scene.Drawn(6);
  NoBlend();
  glColor3f(0, 0.3f, 0.5f);
  OnCanvas(406, [] { Rectangle(-100, 0, 100, 100); });
}

void DrawGreyBand(const Scene& scene) {
  scene.Drawn(7);
  NoBlend();
  glColor3f(0.2f, 0.2f, 0.2f);
  OnCanvas(406, [] { Rectangle(-100, 100, 100, 445); });
}

void DrawWarmColumns(const Scene& scene) {
  scene.Drawn(8);
  NoBlend();
  OnCanvas(406, [] {
    for (int i = 0; i < 10; ++i) {
      const double v = RandomUnit() + 0.5;
      glColor3d(0.4 * v, 0.3 * v, 0.2 * v);
      Rectangle(20 * i - 100, 445, 20 * (i + 1) - 100, 1445);
    }
  });
}

void DrawCoolRows(const Scene& scene) {
  scene.Drawn(9);
  glBlendFunc(GL_ONE, GL_ONE);
  NoBlend();
  OnCanvas(204, [] {
    for (int i = 0; i < 10; ++i) {
      const double v = RandomUnit() + 0.5;
      glColor3d(0.14 * v, 0.2 * v, 0.2 * v);
      Rectangle(-100, 445 + 20 * i, 100, 445 + 20 * (i + 1));
    }
  });
}

void DrawTwoLists100(const Scene& scene) {
  scene.Drawn(10);
  PlainList(kScatterList, {0, 340, 0, 39, 90, 90, kFlat}, 0, 0, 0);
  PlainList(kScatterList, {0, 420, 0, -117, 100, 100, kFlat}, 0.1f, 0.42f, 0.7f);
}

void DrawWaves(const Scene& scene) {
  scene.Drawn(11);
  Texturing(false);
  NoBlend();
  const double t = scene.t;
  const auto wave = [t](int i) {
    return std::sin(0.15 * i + 0.8 * t) * std::sin(2 * t + 0.1 * i) * std::sin(0.23 * i + 1.2 * t) * 5;
  };
  glPushMatrix();
  glTranslated(0, 406, 0);
  glColor3f(0, 0.3f, 0.5f);
  glBegin(GL_QUAD_STRIP);
  for (int i = -100; i < 100; ++i) glVertex3d(i, 100, 0), glVertex3d(i, 110 + wave(i), 0);
  glEnd();
  glColor3f(0.1f, 0.45f, 0.75f);
  glBegin(GL_QUAD_STRIP);
  for (int i = -100; i < 100; ++i) glVertex3d(i, 110 + wave(i), 0), glVertex3d(i, 111 + wave(i), 0);
  glEnd();
  glPopMatrix();
}

void DrawThreeBlackLists10(const Scene& scene) {
  scene.Drawn(12);
  PlainList(kBladesList, {-50, -80, 10, 0, 100, 100, kFlat}, 0, 0, 0);
  PlainList(kBladesList, {90, 30, 10, 160, 120, 120, kFlat}, 0, 0, 0);
  PlainList(kBladesList, {-50, 33.7, 10, 110, 70, 70, kFlat}, 0, 0, 0);
}

void DrawBlackList100(const Scene& scene, int row) {
  scene.Drawn(row);
  switch (row) {
    case 19:
      PlainList(kScatterList, {0, 0, 0, 10, 70, 70, kFlat}, 0, 0, 0);
      break;
    case 20:
      PlainList(kScatterList, {0, 40, 0, 138, 110, 110, kFlat}, 0, 0, 0);
      break;
    case 21:
      PlainList(kScatterList, {24, -64, 0, -198, 40, 40, kFlat}, 0, 0, 0);
      break;
    default:
      PlainList(kScatterList, {0, 88, 0, -160, 30, 30, kFlat}, 0, 0, 0);
      break;
  }
}

void DrawMultipliedPicture(const Scene& scene) {
  scene.Drawn(23);
  glColor3f(1, 1, 1);
  Texturing(true);
  scene.Bind(23);
  Blend(GL_DST_COLOR, GL_ZERO);
  glPushMatrix();
  glTranslated(-5.2, 50, 3);
  FlatQuad(20, 30, 30);
  glPopMatrix();
}

void DrawMultipliedList1(const Scene& scene) {
  scene.Drawn(24);
  Texturing(false);
  Blend(GL_DST_COLOR, GL_ZERO);
  glColor3f(0.7f, 0, 0);
  ShapeList(kBlobsList, {14, 20, 0, 62.2, 80, 80, kFlat, true});
}

void DrawMultipliedList100(const Scene& scene) {
  scene.Drawn(25);
  Texturing(false);
  Blend(GL_DST_COLOR, GL_ZERO);
  glColor3f(0.3f, 0, 0);
  ShapeList(kScatterList, {0, 116, 0, 30, 80, 80, kFlat, true});
}

void DrawAdditiveMoon(const Scene& scene) {
  scene.Drawn(30);
  glColor3f(1, 1, 1);
  Blend(GL_ONE, GL_ONE);
  Texturing(true);
  scene.Bind(13);
  glPushMatrix();
  glTranslated(-21.89, 161.6, 15);
  FlatQuad(0, 16, 16);
  glPopMatrix();
}

void DrawTiledBackground(const Scene& scene) {
  scene.Drawn(31);
  const double fade = 1 - Ramp(scene.t, 40, 0.5);
  glColor3d(0.9 * fade, 0.88 * fade, 1 * fade);
  Texturing(true);
  scene.Bind(12);
  Blend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  glPushMatrix();
  TiledBillboard(0, 350, 350);
  glPopMatrix();
}

void DrawScrollingBackground(const Scene& scene) {
  scene.Drawn(32);
  const double grey = Ramp(scene.t, 40, 0.5);
  glColor3d(grey, grey, grey);
  Texturing(true);
  scene.Bind(224);
  Blend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  glPushMatrix();
  BillboardQuad(0, 1350, 1350, 0.5 * scene.t, 0.5 * scene.t, 400);
  glPopMatrix();
}

void DrawGlowList(const Scene& scene, int row) {
  scene.Drawn(row);
  Texturing(false);
  Blend(GL_DST_COLOR, GL_ONE);
  switch (row) {
    case 33:
      RandomSeed(234234);
      glColor3f(0.3f, 0.3f, 0.3f);
      ShapeList(kScatterList, {0, 0, 0, 100, 143, 143, kFlat});
      break;
    case 34:
      glColor3f(0.7f, 0.6f, 0.6f);
      ShapeList(kScatterList, {0, 50, 0, 40, 67, 57, kFlat});
      break;
    default:
      glColor3f(0.7f, 0.6f, 0.6f);
      ShapeList(kScatterList, {9, -98, 0, -40, 50, 50, kFlat});
      break;
  }
}
