#include <algorithm>
#include <array>
#include <cmath>

#include "effects/ribbons.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

struct Fed {
  float x, y, r, u, v;
};

// Captures what a renderer draws, in object units (an orthographic 0 ... 100 view of a 100 x 100 viewport).
class RibbonsTest : public CanvasTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(100, 0, 100, 0, 100);
    glColor3f(1, 0, 0);
    for (int i = 0; i < 5; ++i) line.Append(Vec3(kVecValid, 10.0f + 10 * i, 50, 0));
    line.closed = false;
    for (int i = 0; i < 5; ++i) line.widths.push_back(Vec3(kVecValid, float(i + 1), 0, 0));
  }

  template <typename Draw>
  std::vector<Fed> Feed(Draw draw) {
    std::vector<Fed> out;
    for (const FedVertex& f : Feedback(GL_3D_COLOR_TEXTURE, draw)) {
      out.push_back({f.values[0], f.values[1], f.values[3], f.values[7], f.values[8]});
    }
    return out;
  }

  Curve line;
};

float MaxX(const std::vector<Fed>& v) {
  float m = -1e9f;
  for (const Fed& f : v) m = std::max(m, f.x);
  return m;
}

float MinX(const std::vector<Fed>& v) {
  float m = 1e9f;
  for (const Fed& f : v) m = std::min(m, f.x);
  return m;
}

TEST_F(RibbonsTest, TheRangeIsClampedAndEmptyRangesDrawNothing) {
  EXPECT_TRUE(Feed([&] { DrawRibbon(line, 0.0, 0.5, 0, 2, 0); }).empty());
  EXPECT_TRUE(Feed([&] { DrawRibbon(line, 3.0, 2.0, 0, 2, 0); }).empty());
  const auto whole = Feed([&] { DrawRibbon(line, -1.0, 10.0, 0, 2, 0); });
  const auto clamped = Feed([&] { DrawRibbon(line, 0.0, 4.0, 0, 2, 0); });
  ASSERT_FALSE(whole.empty());
  EXPECT_EQ(MinX(whole), MinX(clamped));
  EXPECT_EQ(MaxX(whole), MaxX(clamped));
  EXPECT_FLOAT_EQ(MinX(whole), 10.0f);
  EXPECT_FLOAT_EQ(MaxX(whole), 40.0f);  // t1 = n - 1 ends at P[n - 2]
}

TEST_F(RibbonsTest, PartialStationsInterpolateThePositionAndThePerPointWidths) {
  const auto band = Feed([&] { DrawRibbonTextured(line, 0.5, 2.25, Vec3(), 0.0, 0.0, 0.0, 0.0); });
  ASSERT_FALSE(band.empty());
  EXPECT_NEAR(MinX(band), 15.0f, 1e-3);  // half way from P0 to P1
  EXPECT_NEAR(MaxX(band), 22.5f, 1e-3);  // a quarter from P1 to P2
  float lowest = 1e9f, highest = -1e9f;
  for (const Fed& f : band) {
    if (std::fabs(f.x - 15.0f) < 1e-3f) lowest = std::min(lowest, f.y), highest = std::max(highest, f.y);
  }
  EXPECT_NEAR(highest - lowest, 2 * 1.5f, 1e-3);  // widths 1 and 2, half way: 1.5 each side
  // t0 = t1 = 2: only the start station (at P2) and the end station (on the segment before: P1).
  const auto same = Feed([&] { DrawRibbon(line, 2.0, 2.0, 0, 1, 0); });
  EXPECT_EQ(same.size(), 6u);  // one quad of the strip, as two triangles
  EXPECT_NEAR(MinX(same), 20.0f, 1e-3);
  EXPECT_NEAR(MaxX(same), 30.0f, 1e-3);
}

TEST_F(RibbonsTest, TextureCoordinatesArePlanarAndTheSideShiftMovesTheBand) {
  const auto band =
      Feed([&] { DrawRibbonTextured(line, 0.0, 2.0, Vec3(kVecValid, 0.5, 0.25, 0), 0.1, 3.0, 1.0, 0.0); });
  ASSERT_FALSE(band.empty());
  for (const Fed& f : band) {
    EXPECT_NEAR(f.u, f.x * 0.1 + 0.5, 1e-4);
    EXPECT_NEAR(f.v, f.y * 0.1 + 0.25, 1e-4);
    EXPECT_TRUE(std::fabs(f.y - (50 - 3 - 1)) < 1e-4 || std::fabs(f.y - (50 - 3 + 1)) < 1e-4) << f.y;
  }
}

TEST_F(RibbonsTest, AnEdgeShiftOfAThousandthDrawsNoTexturedEdgeButARibbonEdge) {
  glEnable(GL_TEXTURE_2D);
  const auto textured = Feed([&] { DrawRibbonTextured(line, 0.0, 4.0, Vec3(), 1.0, 0.0, 1.0, 0.001); });
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));  // no edge pass: texturing as the caller left it
  const auto plain = Feed([&] { DrawRibbon(line, 0.0, 4.0, 0.0, 1.0, 0.001); });
  EXPECT_GT(plain.size(), textured.size());  // the ribbon's edge tabs

  const auto edged = Feed([&] { DrawRibbonTextured(line, 0.0, 4.0, Vec3(), 1.0, 0.0, 1.0, 2.0); });
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 0.5f);  // the rim leaves the colour grey
  EXPECT_EQ(edged.back().r, 0.5f);
}

// A path shared by the ribbons of one curve works its side vectors out as far as each ribbon reaches: a
// short ribbon first, then longer ones, must give what each ribbon drawn from its own curve gives.
TEST_F(RibbonsTest, RibbonsFromOneSharedPathAreTheRibbonsOfTheirCurve) {
  for (int i = 0; i < 5; ++i) line.points[size_t(i)].y += float(i * i);  // every segment its own side
  const auto draw = [&](const RibbonPath& first, const RibbonPath& second, const RibbonPath& third) {
    return Feed([&] {
      glTexCoord2d(0, 0);  // what the untextured ribbons carry
      DrawRibbon(first, 0.5, 1.5, 0, 2, 0);
      DrawRibbonTextured(second, 0.2, 3.5, Vec3(), 0.3, 1, 1, 0);
      DrawRibbon(third, 0, 4, -1, 0, 0);
    });
  };
  const RibbonPath shared(line);
  const auto together = draw(shared, shared, shared), apart = draw(line, line, line);
  ASSERT_EQ(together.size(), apart.size());
  ASSERT_FALSE(together.empty());
  for (size_t i = 0; i < apart.size(); ++i) {
    EXPECT_EQ(together[i].x, apart[i].x) << i;
    EXPECT_EQ(together[i].y, apart[i].y) << i;
    EXPECT_EQ(together[i].u, apart[i].u) << i;
  }
}

}  // namespace
