// ShowRecord: what the scenes read of the show and note back, frame by frame: its clocks, the spectrum it
// reacts to, the base of its texture slots, the curves made at start-up and the layers drawn. The show object
// (show/show_object.h) is this record with the show's operations.
#pragma once

#include <array>
#include <bitset>

#include "assets/show_curves.h"

constexpr int kShowSpectrumBins = 256;
constexpr int kMostLayerRows = 128;

struct ShowRecord {
  double showTime = 0.0;
  double fastTime = 0.0;  // advances 1.5 times as fast as the frame steps
  std::array<float, kShowSpectrumBins> spectrum{};
  int textureBase = 0;
  ShowCurves curves;
  std::bitset<kMostLayerRows> layersDrawn;  // the layers whose gate passed in the last frame, by row number
};
