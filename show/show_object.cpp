#include "show/show_object.h"

#include "assets/asset_setup.h"
#include "assets/startup_curves.h"

bool ShowObject::SetUp(DemoState& state, MessageSink& messages) {
  textureBase = 0;
  if (!SetupAssets(curves, state, messages)) return false;
  BuildStartupCurves(curves);
  showTime = kShowTimeAtStart;
  fastTime = kFastTimeAtStart;
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
