#include "scenes/scene_director.h"

#include <algorithm>

void SceneDirector(DemoState& state, ShowRecord& show) {
  if (show.showTime <= kSecondHalfStart) {
    FirstHalfScenes(show, state);
  } else {
    SecondHalfScenes(show, state);
  }
}

SpectrumLevels LevelsOf(const ShowRecord& show) {
  const double low = std::clamp(double(show.spectrum[2]) - 0.2, 0.0, 1.0);
  return {std::clamp(double(show.spectrum[230]) - 0.03, 0.0, 1.0), low * low};
}
