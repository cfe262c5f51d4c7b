#include "scenes/scene_director.h"

#include <algorithm>

#include "effects/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"

namespace {

constexpr uint32_t kSecondHalfSeed = 24234234;

// Every pass starts from the camera with identity texture and model-view matrices and a plain render state.
void BeginPass(DemoState& state) {
  glDisable(GL_BLEND);
  ShadersOff(state);
  glPushMatrix();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  ApplyCamera(state);
  ResetRenderState();
}

void EndPass() {
  glPopMatrix();
}

void ClearPicture() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace

void SceneDirector(DemoState& state, ShowObject& show) {
  if (show.showTime <= kSecondHalfStart) {
    FirstHalfScenes(show, state);
  } else {
    SecondHalfScenes(show, state);
  }
}

SpectrumLevels LevelsOf(const ShowObject& show) {
  const double low = std::clamp(double(show.spectrum[2]) - 0.2, 0.0, 1.0);
  return {std::clamp(double(show.spectrum[230]) - 0.03, 0.0, 1.0), low * low};
}

// The layers of each pass come with the scenes of the first half.
void FirstHalfScenes(ShowObject&, DemoState& state) {
  ClearPicture();
  BeginPass(state);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  EndPass();

  glClear(GL_DEPTH_BUFFER_BIT);  // the second pass draws over the first
  BeginPass(state);
  EndPass();
}

// The layers of each pass come with the scenes of the second half.
void SecondHalfScenes(ShowObject&, DemoState& state) {
  ClearPicture();
  glDisable(GL_CULL_FACE);
  BeginPass(state);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  RandomSeed(kSecondHalfSeed);
  EndPass();

  glDepthFunc(GL_LESS);
  BeginPass(state);
  EndPass();

  glClear(GL_DEPTH_BUFFER_BIT);  // the third pass
  glDisable(GL_BLEND);
}
