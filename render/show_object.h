// ShowObject: the show itself — its clocks, the spectrum it reacts to, and the curves built at start-up.
//
// One instance, made by start-up and kept for the whole run. Its two operations are the per-frame function
// and the start-up set-up, in that order.
#pragma once

#include <array>
#include <bitset>
#include <vector>

#include "effects/curve.h"
#include "render/offscreen_target.h"
#include "shell/demo_state.h"
#include "shell/messages.h"
#include "timing/frame_record.h"

constexpr int kCurvePoolCount = 9;
constexpr std::array<int, kCurvePoolCount> kCurvePoolSizes = {20, 50, 50, 50, 10, 20, 250, 200, 300};
constexpr int kShowSpectrumBins = 256;
constexpr int kMostLayerRows = 128;
// Where start-up leaves the show's clocks: three seconds before the show time's zero.
constexpr double kShowTimeAtStart = -3.0;
constexpr double kFastTimeAtStart = -0.3;

class ShowObject final {
 public:
  ShowObject();

  // One frame: show time, camera and light, the scenes, the fades. Leaves timeStep modulated.
  virtual void ShowFrame(double& timeStep, OffscreenTarget& target, DemoState& state, FrameRecord& frame);
  // Start-up: the assets, then the curves; leaves the show three seconds before its time zero. False (after
  // the file's message) when an asset file is missing or unusable.
  virtual bool SetUp(DemoState& state, MessageSink& messages);

  // The clocks of one frame without drawing it (ShowFrame does this first): fast forward.
  void AdvanceClocks(double& timeStep);

  // Puts the clocks back where start-up leaves them and runs them, without drawing, over `frames` frames of
  // `step` seconds; the demo clock ends at frames x step.
  void FastForward(double& demoClock, long long frames, double step);

  double showTime = 0.0;
  double fastTime = 0.0;  // advances 1.5 times as fast as the frame steps
  std::array<float, kShowSpectrumBins> spectrum{};
  int textureBase = 0;
  std::array<std::vector<Curve>, kCurvePoolCount> pools;
  Curve single;                             // a line along x with stalls, placing groups of objects
  std::vector<Curve> logoCurves;            // traced from the logo picture, one per stroke
  std::bitset<kMostLayerRows> layersDrawn;  // the layers whose gate passed in the last frame, by row number
};
