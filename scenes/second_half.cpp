// The second half of the show, after 141 s: three passes of layers in a fixed order, each behind its gate.
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/rows.h"
#include "scenes/scene_director.h"
#include "scenes/second_half_layers.h"

namespace {

constexpr uint32_t kSecondHalfSeed = 24234234;

void FirstPass(const Scene& s, Rows& rows) {
  const double t = s.t;
  if (Before(t, 185)) rows.Draw(DrawColourColumns);
  if (After(t, 156)) rows.Draw(DrawSecondColourColumns);
  rows.Draw(DrawShapeWall);
  if (Before(t, 166)) {
    rows.Draw(DrawSecondHalfSpiral, 4);
    if (Before(t, 165)) rows.Draw(DrawSecondHalfSpiral, 5);
  }
  rows.Draw(DrawFallingShapes);
}

void SecondPass(const Scene& s, Rows& rows) {
  const double t = s.t;
  s.Bind(12);
  Texturing(true);
  rows.Draw(DrawPatternBackground);
  if (After(t, 192)) rows.Draw(DrawCornerBackground);
  if (Before(t, 158)) rows.Draw(DrawFallingPictures);
  rows.Draw(DrawCreatureGroup);
  rows.Draw(DrawDiamondFields);
  rows.Draw(BeginMeanderZoom);
  rows.Draw(DrawMirroredMeanderCopies);
  rows.Draw(DrawSmallCreatureGroup);
  rows.Draw([](const Scene&) { EndMeanderZoom(); });
}

void ThirdPass(const Scene& s, Rows& rows) {
  const double t = s.t;
  if (Within(t, 147, 185)) rows.Draw(DrawTendril, 18);
  if (Within(t, 147, 206)) rows.Draw(DrawTendril, 19);
  if (Within(t, 158, 190)) rows.Draw(DrawTendril, 20);
  if (Within(t, 156, 189)) rows.Draw(DrawSecondHalfEye, 21);
  if (Within(t, 155, 189.5)) rows.Draw(DrawSecondHalfEye, 22);
  if (Within(t, 175, 198)) rows.Draw(DrawSecondHalfSprout, 24);
  rows.Draw(DrawPictureWithSoftShadow);
  if (Within(t, 172, 201)) rows.Draw(DrawSecondHalfSprout, 27);
  if (Within(t, 157, 181)) rows.Draw(DrawSecondHalfSprout, 28);
  if (Before(t, 161)) rows.Draw(DrawBlackBlades);
  rows.Draw(DrawBlackGround);
  if (Before(t, 156)) rows.Draw(DrawDarkMeanders);
  if (Within(t, 176, 195)) rows.Draw(DrawDarkeningPicture);
  rows.Draw(DrawTendrilRow);
}

}  // namespace

void SecondHalfScenes(ShowRecord& show, DemoState& state) {
  show.layersDrawn.Reset();
  const Scene scene{show, state, show.showTime, {LevelsOf(show).high, 0.0}};
  ClearPicture();
  glDisable(GL_CULL_FACE);
  BeginPass(state);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  RandomSeed(kSecondHalfSeed);
  DrawRows(scene, FirstPass);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  EndPass();

  glDepthFunc(GL_LESS);
  BeginPass(state);
  DrawRows(scene, SecondPass);
  EndPass();

  glDepthMask(GL_TRUE);
  glDisable(GL_DEPTH_TEST);
  glClear(GL_DEPTH_BUFFER_BIT);
  glDisable(GL_BLEND);
  BeginPass(state);
  DrawRows(scene, ThirdPass);
  EndPass();
}
