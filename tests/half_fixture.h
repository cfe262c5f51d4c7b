// A half of the show drawn on a small canvas from the start-up curves alone: no textures or shape lists,
// which the gates and layouts do not depend on.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

#include "assets/startup_curves.h"
#include "scenes/show_record.h"
#include "state/demo_state.h"
#include "tests/gl_fixture.h"

using Point = std::array<double, 2>;

// The window positions of the vertices `draw` feeds back, the black ones and the coloured ones apart.
struct FedPositions {
  std::vector<Point> black, coloured;
};

template <typename Draw>
FedPositions PositionsOf(Draw draw) {
  FedPositions positions;
  for (const FedVertex& f : Feedback(GL_3D_COLOR, draw)) {
    const bool black = f.values[3] == 0 && f.values[4] == 0 && f.values[5] == 0;
    (black ? positions.black : positions.coloured).push_back({f.values[0], f.values[1]});
  }
  return positions;
}

// The one shift that carries every point of `from` onto the point of `to` at the same place in the list, to
// within `tolerance`; nothing when the lists differ in length or no single shift does.
inline std::optional<Point> UniformShift(const std::vector<Point>& from, const std::vector<Point>& to,
                                         double tolerance) {
  if (from.empty() || from.size() != to.size()) return std::nullopt;
  const Point shift = {to[0][0] - from[0][0], to[0][1] - from[0][1]};
  for (size_t i = 0; i < from.size(); ++i) {
    if (std::fabs(to[i][0] - from[i][0] - shift[0]) > tolerance ||
        std::fabs(to[i][1] - from[i][1] - shift[1]) > tolerance) {
      return std::nullopt;
    }
  }
  return shift;
}

template <void (*Half)(ShowRecord&, DemoState&)>
class HalfTest : public CanvasTest {
 protected:
  static void SetUpTestSuite() {
    show_ = new ShowRecord;
    BuildStartupCurves(show_->curves);
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
      if (show_->layersDrawn.Test(row)) rows.insert(row);
    }
    return rows;
  }

  DemoState state;
  inline static ShowRecord* show_ = nullptr;
};
