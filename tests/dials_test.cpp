#include <algorithm>
#include <cmath>
#include <set>

#include "effects/dials.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "tests/gl_fixture.h"
#include "tests/random_draws.h"
#include "tests/recording_messages.h"

namespace {

struct Fed {
  int token;
  float x, y, r, g, b;
};

class DialsTest : public CanvasTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(100, -50, 50, -50, 50);
  }

  // Every vertex drawn, with the primitive kind it came in (polygon or line) and its colour.
  template <typename Draw>
  std::vector<Fed> Feed(Draw draw) {
    std::vector<Fed> out;
    const auto isolated = [&draw] {
      glPushMatrix();
      draw();
      glPopMatrix();
    };
    for (const FedVertex& f : Feedback(GL_3D_COLOR, isolated)) {
      out.push_back({f.token, f.values[0], f.values[1], f.values[3], f.values[4], f.values[5]});
    }
    return out;
  }
};

TEST_F(DialsTest, EachOrnamentTakesItsFixedNumberOfRandomDraws) {
  EXPECT_EQ(DrawsOf([] { DrawEye(1.3); }), 1);
  EXPECT_EQ(DrawsOf([] { DrawDialB(1.3, false); }), 22);
  EXPECT_EQ(DrawsOf([] { DrawDialA(1.3, false); }), 14);
  EXPECT_EQ(DrawsOf([] { DrawDialA(1.3, true); }), 14);
}

TEST_F(DialsTest, TheDashColumnsRepeatEveryQuarterSecond) {
  auto dashes = [this](double t) {
    std::set<std::pair<int, int>> ends;
    for (const Fed& f : Feed([t] { DrawDialB(t, false); })) {
      if (f.token != GL_POLYGON_TOKEN && f.y > -40 && f.y < 40)
        ends.insert({int(std::lround(f.x * 10)), int(std::lround(f.y * 10))});
    }
    return ends;
  };
  const auto atZero = dashes(0.0);
  ASSERT_FALSE(atZero.empty());
  EXPECT_EQ(dashes(0.25), atZero);
  EXPECT_NE(dashes(0.1), atZero);
}

TEST_F(DialsTest, DarkDialsAreBlackExceptTheFirstDialsDisc) {
  for (const Fed& f : Feed([] { DrawDialB(2.0, true); })) EXPECT_EQ(f.r + f.g + f.b, 0.0f);
  const auto dialA = Feed([] { DrawDialA(2.0, true); });
  ASSERT_FALSE(dialA.empty());
  EXPECT_EQ(dialA.front().r, 1.0f);  // the disc comes first, and it is white
}

}  // namespace
