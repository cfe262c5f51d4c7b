// The scene director: the first half of the show up to and including 141.0 s of show time, the second after.
//
// Each half clears, sets up its camera and draws its layers in fixed passes; every layer is a function of the
// show time, two spectrum levels and fixed random seeds, so nothing is kept from one frame to the next.
#pragma once

#include "scenes/show_record.h"
#include "state/demo_state.h"

constexpr double kSecondHalfStart = 141.0;

void SceneDirector(DemoState& state, ShowRecord& show);

void FirstHalfScenes(ShowRecord& show, DemoState& state);
void SecondHalfScenes(ShowRecord& show, DemoState& state);

// The music levels the layers react to: high = clamp(bin kHatBin - kHatFloor), low = clamp(bin kBassBin -
// kBassFloor) squared (timing/frequency_analyser.h).
struct SpectrumLevels {
  double high = 0.0;
  double low = 0.0;
};
SpectrumLevels LevelsOf(const ShowRecord& show);
