// The second half of the show, after 141 s: three passes of layers in a fixed order, each behind its gate.
#include "math/random.h"
#include "render/gl_api.h"
#include "scenes/scene_director.h"
#include "scenes/second_half_layers.h"

namespace {

constexpr uint32_t kSecondHalfSeed = 24234234;

void FirstPass(const Scene& s) {
  const double t = s.t;
  if (Before(t, 185)) DrawColourColumns(s);
  if (After(t, 156)) DrawSecondColourColumns(s);
  DrawShapeWall(s);
  if (Before(t, 166)) {
    DrawSecondHalfSpiral(s, 4);
    if (Before(t, 165)) DrawSecondHalfSpiral(s, 5);
  }
  DrawFallingShapes(s);
}

void SecondPass(const Scene& s) {
  const double t = s.t;
  s.Bind(12);
  Texturing(true);
  DrawPatternBackground(s);
  if (After(t, 192)) DrawCornerBackground(s);
  if (Before(t, 158)) DrawFallingPictures(s);
  DrawCreatureGroup(s);
  DrawDiamondFields(s);
  BeginMeanderZoom(s);
  DrawMirroredMeanderCopies(s);
  DrawSmallCreatureGroup(s);
  EndMeanderZoom();
}

void ThirdPass(const Scene& s) {
  const double t = s.t;
  if (Within(t, 147, 185)) DrawTendril(s, 18);
  if (Within(t, 147, 206)) DrawTendril(s, 19);
  if (Within(t, 158, 190)) DrawTendril(s, 20);
  if (Within(t, 156, 189)) DrawSecondHalfEye(s, 21);
  if (Within(t, 155, 189.5)) DrawSecondHalfEye(s, 22);
  if (Within(t, 175, 198)) DrawSecondHalfSprout(s, 24);
  DrawPictureWithSoftShadow(s);
  if (Within(t, 172, 201)) DrawSecondHalfSprout(s, 27);
  if (Within(t, 157, 181)) DrawSecondHalfSprout(s, 28);
  if (Before(t, 161)) DrawBlackBlades(s);
  DrawBlackGround(s);
  if (Before(t, 156)) DrawDarkMeanders(s);
  if (Within(t, 176, 195)) DrawDarkeningPicture(s);
  DrawTendrilRow(s);
}

}  // namespace

void SecondHalfScenes(ShowRecord& show, DemoState& state) {
  show.layersDrawn.reset();
  const Scene scene{show, state, show.showTime, {LevelsOf(show).high, 0.0}};
  ClearPicture();
  glDisable(GL_CULL_FACE);
  BeginPass(state);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  RandomSeed(kSecondHalfSeed);
  FirstPass(scene);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  EndPass();

  glDepthFunc(GL_LESS);
  BeginPass(state);
  SecondPass(scene);
  EndPass();

  glDepthMask(GL_TRUE);
  glDisable(GL_DEPTH_TEST);
  glClear(GL_DEPTH_BUFFER_BIT);
  glDisable(GL_BLEND);
  BeginPass(state);
  ThirdPass(scene);
  EndPass();
}
