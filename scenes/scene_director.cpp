#include "scenes/scene_director.h"

#include <algorithm>

#include "effects/random.h"
#include "render/gl_api.h"
#include "scenes/drawing_helpers.h"
#include "scenes/scene.h"

constexpr uint32_t kSecondHalfSeed = 24234234;

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

// The layers of each pass come with the scenes of the second half.
void SecondHalfScenes(ShowObject& show, DemoState& state) {
  show.layersDrawn.reset();
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
