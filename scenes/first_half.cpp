// The first half of the show, 0 to 141 s: two passes of layers in a fixed order, each behind its gate.
#include <algorithm>

#include "render/gl_api.h"
#include "scenes/first_half_layers.h"
#include "scenes/scene_director.h"

namespace {

void FirstPass(const Scene& s) {
  const double t = s.t;
  DrawBackdropList(s);
  DrawStrandFieldA(s);
  DrawStrandFieldB(s);
  if (Within(t, 45, 76)) DrawBlueList10(s);
  if (Before(t, 42)) DrawWhiteList10(s);
  DrawBlueBand(s);
  DrawGreyBand(s);
  DrawWarmColumns(s);
  DrawCoolRows(s);
  if (Within(t, 47, 85)) DrawTwoLists100(s);
  if (After(t, 72)) DrawWaves(s);
  if (Before(t, 45)) DrawThreeBlackLists10(s);
  if (After(t, 115)) DrawSpiralLayer(s, 13);
  if (After(t, 119)) DrawSpiralLayer(s, 14);
  if (After(t, 127.16)) DrawSpiralLayer(s, 15);
  if (After(t, 126.76)) DrawSpiralLayer(s, 16);
  if (After(t, 125)) DrawSwingingPair(s);
  DrawRibbonCreatureGroup(s);
  if (Before(t, 33)) DrawBlackList100(s, 19);
  if (Before(t, 33.5)) DrawBlackList100(s, 20);
  if (Before(t, 20)) DrawBlackList100(s, 21);
  if (Within(t, 5, 40)) DrawBlackList100(s, 22);
  if (Within(t, 6, 36)) DrawMultipliedPicture(s);
  if (Within(t, 2, 35.78)) DrawMultipliedList1(s);
  DrawMultipliedList100(s);
  DrawLinePath(s);
  DrawSpecksAndStrokes(s);
  if (Before(t, 95)) DrawCreatureField(s);
  if (Within(t, 26, 46)) DrawAdditiveMoon(s);
}

void SecondPass(const Scene& s) {
  const double t = s.t;
  s.Bind(12);
  Texturing(true);
  Blend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  if (Before(t, 42)) DrawTiledBackground(s);
  if (After(t, 40)) DrawScrollingBackground(s);
  if (Before(t, 37)) DrawGlowList(s, 33);
  if (Before(t, 47)) DrawGlowList(s, 34);
  if (Before(t, 17)) DrawGlowList(s, 35);
  if (Within(t, 88, 111)) DrawFlickeringPanel(s, 37);
  DrawStrandBundle(s);
  if (Within(t, 68, 101)) DrawDialLayer(s, 39);
  if (Within(t, 67.8, 101.1)) DrawDialLayer(s, 40);
  if (Within(t, 68, 101.3)) DrawDialLayer(s, 41);
  if (Within(t, 67.5, 98.4)) DrawDialLayer(s, 42);
  DrawStrandCurtainA(s);
  DrawStrandCurtainB(s);
  if (Within(t, 56, 80)) DrawDialLayer(s, 45);
  if (Within(t, 55.5, 80.1)) DrawDialLayer(s, 46);
  if (Within(t, 55.4, 80.3)) DrawDialLayer(s, 47);
  if (Within(t, 55.4, 80.7)) DrawDialLayer(s, 48);
  if (Within(t, 55.55, 80.15)) DrawDialLayer(s, 49);
  if (Within(t, 80, 99)) DrawGlyphLayer(s, 50);
  if (Within(t, 90, 110)) DrawGlyphLayer(s, 51);
  if (Within(t, 80, 100)) DrawGlyphLayer(s, 52);
  if (Within(t, 80, 98)) DrawEyeLayer(s, 53);
  if (Within(t, 95, 115)) DrawEyeLayer(s, 54);
  if (Within(t, 100, 115)) DrawEyeLayer(s, 55);
  if (Within(t, 48, 70)) DrawStrandSprout(s, 56);
  if (Within(t, 71, 82)) DrawStrandSprout(s, 57);
  DrawStrandSprout(s, 58);
  DrawMeanderOnCurve(s);
  if (Within(t, 104, 124)) DrawEyeLayer(s, 60);
  DrawGlyphLayer(s, 61);
  DrawDialLayer(s, 62);
  DrawDialLayer(s, 63);
  if (Within(t, 94, 128)) DrawMirroredMeanders(s);
  if (Within(t, 50, 65)) DrawFlickeringPanel(s, 65);
  DrawMeanderRow(s);
  DrawTowers(s);
  DrawShadowedPicture(s);
  if (After(t, 112)) DrawFramedPicture(s);
  DrawDialPair(s);
  if (Within(t, 117, 129)) DrawFlickeringPanel(s, 73);
  if (After(t, 109)) DrawStrandSprout(s, 74);
  if (After(t, 105)) DrawDialLayer(s, 75);
  if (After(t, 116)) {
    if (After(t, 117.5)) DrawGlyphLayer(s, 76);
    if (After(t, 118)) DrawGlyphLayer(s, 77);
    if (After(t, 118.2)) DrawGlyphLayer(s, 78);
    if (After(t, 118.3)) DrawGlyphLayer(s, 79);
  }
}

}  // namespace

void FirstHalfScenes(ShowRecord& show, DemoState& state) {
  show.layersDrawn.reset();
  const Scene scene{show, state, show.showTime, LevelsOf(show)};
  ClearPicture();
  BeginPass(state);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  FirstPass(scene);
  EndPass();

  glClear(GL_DEPTH_BUFFER_BIT);  // the second pass draws over the first
  BeginPass(state);
  SecondPass(scene);
  EndPass();
}
