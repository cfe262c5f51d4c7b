#include "scenes/scene_director.h"

#include <algorithm>

#include "timing/frequency_analyser.h"

static_assert(kBassBin < kShowSpectrumBins && kHatBin < kShowSpectrumBins, "the show keeps both bins");

void SceneDirector(DemoState& state, ShowRecord& show) {
  if (show.showTime <= kSecondHalfStart) {
    FirstHalfScenes(show, state);
  } else {
    SecondHalfScenes(show, state);
  }
}

SpectrumLevels LevelsOf(const ShowRecord& show) {
  const double low = std::clamp(double(show.spectrum[kBassBin]) - kBassFloor, 0.0, 1.0);
  return {std::clamp(double(show.spectrum[kHatBin]) - kHatFloor, 0.0, 1.0), low * low};
}
