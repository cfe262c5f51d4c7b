// The first half of the show, 0 to 141 s: two passes of layers in a fixed order, each behind its gate.
#include <algorithm>

#include "render/gl_api.h"
#include "scenes/first_half_layers.h"
#include "scenes/rows.h"
#include "scenes/scene_director.h"

namespace {

void FirstPass(const Scene& s, Rows& rows) {
  const double t = s.t;
  rows.Draw(DrawBackdropList);
  rows.Draw(DrawStrandFieldA);
  rows.Draw(DrawStrandFieldB);
  if (Within(t, 45, 76)) rows.Draw(DrawBlueList10);
  if (Before(t, 42)) rows.Draw(DrawWhiteList10);
  rows.Draw(DrawBlueBand);
  rows.Draw(DrawGreyBand);
  rows.Draw(DrawWarmColumns);
  rows.Draw(DrawCoolRows);
  if (Within(t, 47, 85)) rows.Draw(DrawTwoLists100);
  if (After(t, 72)) rows.Draw(DrawWaves);
  if (Before(t, 45)) rows.Draw(DrawThreeBlackLists10);
  if (After(t, 115)) rows.Draw(DrawSpiralLayer, 13);
  if (After(t, 119)) rows.Draw(DrawSpiralLayer, 14);
  if (After(t, 127.16)) rows.Draw(DrawSpiralLayer, 15);
  if (After(t, 126.76)) rows.Draw(DrawSpiralLayer, 16);
  if (After(t, 125)) rows.Draw(DrawSwingingPair);
  rows.Draw(DrawRibbonCreatureGroup);
  if (Before(t, 33)) rows.Draw(DrawBlackList100, 19);
  if (Before(t, 33.5)) rows.Draw(DrawBlackList100, 20);
  if (Before(t, 20)) rows.Draw(DrawBlackList100, 21);
  if (Within(t, 5, 40)) rows.Draw(DrawBlackList100, 22);
  if (Within(t, 6, 36)) rows.Draw(DrawMultipliedPicture);
  if (Within(t, 2, 35.78)) rows.Draw(DrawMultipliedList1);
  rows.Draw(DrawMultipliedList100);
  rows.Draw(DrawLinePath);
  rows.Draw(DrawSpecksAndStrokes);
  if (Before(t, 95)) rows.Draw(DrawCreatureField);
  if (Within(t, 26, 46)) rows.Draw(DrawAdditiveMoon);
}

void SecondPass(const Scene& s, Rows& rows) {
  const double t = s.t;
  s.Bind(12);
  Texturing(true);
  Blend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
  if (Before(t, 42)) rows.Draw(DrawTiledBackground);
  if (After(t, 40)) rows.Draw(DrawScrollingBackground);
  if (Before(t, 37)) rows.Draw(DrawGlowList, 33);
  if (Before(t, 47)) rows.Draw(DrawGlowList, 34);
  if (Before(t, 17)) rows.Draw(DrawGlowList, 35);
  if (Within(t, 88, 111)) rows.Draw(DrawFlickeringPanel, 37);
  rows.Draw(DrawStrandBundle);
  if (Within(t, 68, 101)) rows.Draw(DrawDialLayer, 39);
  if (Within(t, 67.8, 101.1)) rows.Draw(DrawDialLayer, 40);
  if (Within(t, 68, 101.3)) rows.Draw(DrawDialLayer, 41);
  if (Within(t, 67.5, 98.4)) rows.Draw(DrawDialLayer, 42);
  rows.Draw(DrawStrandCurtainA);
  rows.Draw(DrawStrandCurtainB);
  if (Within(t, 56, 80)) rows.Draw(DrawDialLayer, 45);
  if (Within(t, 55.5, 80.1)) rows.Draw(DrawDialLayer, 46);
  if (Within(t, 55.4, 80.3)) rows.Draw(DrawDialLayer, 47);
  if (Within(t, 55.4, 80.7)) rows.Draw(DrawDialLayer, 48);
  if (Within(t, 55.55, 80.15)) rows.Draw(DrawDialLayer, 49);
  if (Within(t, 80, 99)) rows.Draw(DrawGlyphLayer, 50);
  if (Within(t, 90, 110)) rows.Draw(DrawGlyphLayer, 51);
  if (Within(t, 80, 100)) rows.Draw(DrawGlyphLayer, 52);
  if (Within(t, 80, 98)) rows.Draw(DrawEyeLayer, 53);
  if (Within(t, 95, 115)) rows.Draw(DrawEyeLayer, 54);
  if (Within(t, 100, 115)) rows.Draw(DrawEyeLayer, 55);
  if (Within(t, 48, 70)) rows.Draw(DrawStrandSprout, 56);
  if (Within(t, 71, 82)) rows.Draw(DrawStrandSprout, 57);
  rows.Draw(DrawStrandSprout, 58);
  rows.Draw(DrawMeanderOnCurve);
  if (Within(t, 104, 124)) rows.Draw(DrawEyeLayer, 60);
  rows.Draw(DrawGlyphLayer, 61);
  rows.Draw(DrawDialLayer, 62);
  rows.Draw(DrawDialLayer, 63);
  if (Within(t, 94, 128)) rows.Draw(DrawMirroredMeanders);
  if (Within(t, 50, 65)) rows.Draw(DrawFlickeringPanel, 65);
  rows.Draw(DrawMeanderRow);
  rows.Draw(DrawTowers);
  rows.Draw(DrawShadowedPicture);
  if (After(t, 112)) rows.Draw(DrawFramedPicture);
  rows.Draw(DrawDialPair);
  if (Within(t, 117, 129)) rows.Draw(DrawFlickeringPanel, 73);
  if (After(t, 109)) rows.Draw(DrawStrandSprout, 74);
  if (After(t, 105)) rows.Draw(DrawDialLayer, 75);
  if (After(t, 116)) {
    if (After(t, 117.5)) rows.Draw(DrawGlyphLayer, 76);
    if (After(t, 118)) rows.Draw(DrawGlyphLayer, 77);
    if (After(t, 118.2)) rows.Draw(DrawGlyphLayer, 78);
    if (After(t, 118.3)) rows.Draw(DrawGlyphLayer, 79);
  }
}

}  // namespace

void FirstHalfScenes(ShowRecord& show, DemoState& state) {
  show.layersDrawn.Reset();
  const Scene scene{show, state, show.showTime, LevelsOf(show)};
  ClearPicture();
  BeginPass(state);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  DrawRows(scene, FirstPass);
  EndPass();

  glClear(GL_DEPTH_BUFFER_BIT);  // the second pass draws over the first
  BeginPass(state);
  DrawRows(scene, SecondPass);
  EndPass();
}
