// A half of the show drawn on a small canvas from the start-up curves alone: no textures or shape lists,
// which the gates and layouts do not depend on.
#pragma once

#include <set>

#include "assets/startup_curves.h"
#include "render/show_object.h"
#include "shell/demo_state.h"
#include "tests/gl_fixture.h"

template <void (*Half)(ShowObject&, DemoState&)>
class HalfTest : public CanvasTest {
 protected:
  static void SetUpTestSuite() {
    show_ = new ShowObject;
    BuildStartupCurves(*show_);
  }
  static void TearDownTestSuite() {
    delete show_;
    show_ = nullptr;
  }
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(64, -1, 1, -1, 1);
  }

  // The layers drawn at show time t, in silence.
  std::set<int> RowsAt(double t) {
    show_->showTime = t;
    show_->spectrum.fill(0);
    Half(*show_, state);
    std::set<int> rows;
    for (int row = 0; row < kMostLayerRows; ++row) {
      if (show_->layersDrawn.test(size_t(row))) rows.insert(row);
    }
    return rows;
  }

  DemoState state;
  inline static ShowObject* show_ = nullptr;
};
