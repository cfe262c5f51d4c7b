#include "render/show_object.h"

#include "assets/asset_setup.h"
#include "assets/startup_curves.h"

ShowObject::ShowObject() {
  for (int pool = 0; pool < kCurvePoolCount; ++pool) pools[pool].resize(kCurvePoolSizes[pool]);
}

bool ShowObject::SetUp(DemoState& state, MessageSink& messages) {
  if (!SetupAssets(*this, state, messages)) return false;
  BuildStartupCurves(*this);
  return true;
}

void ShowObject::FastForward(double& demoClock, long long frames, double step) {
  demoClock = 0.0;
  showTime = kShowTimeAtStart;
  fastTime = kFastTimeAtStart;
  for (long long k = 0; k < frames; ++k) {
    demoClock += step;
    double timeStep = step;
    AdvanceClocks(timeStep);
  }
}
