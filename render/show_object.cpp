#include "render/show_object.h"

#include "assets/startup_curves.h"

ShowObject::ShowObject() {
  for (int pool = 0; pool < kCurvePoolCount; ++pool) pools[pool].resize(kCurvePoolSizes[pool]);
}

void ShowObject::ShowFrame(double&, OffscreenTarget&, DemoState&, FrameRecord&) {}

void ShowObject::SetUp(DemoState&) {
  BuildStartupCurves(*this);
}
