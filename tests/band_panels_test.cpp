#include <algorithm>

#include "effects/band_panels.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

struct Fed {
  float x, y, u, v;
};

// Object units map to pixels: an orthographic -2 ... 2 view of a 100 x 100 viewport.
class BandPanelsTest : public CanvasTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(100, -2, 2, -2, 2);
  }

  // The triangles drawn, three vertices each.
  template <typename Draw>
  std::vector<std::vector<Fed>> Feed(Draw draw) {
    std::vector<std::vector<Fed>> triangles;
    const auto vertices = Feedback(GL_3D_COLOR_TEXTURE, draw);
    for (size_t i = 0; i < vertices.size(); ++i) {
      if (i % 3 == 0) triangles.emplace_back();
      const auto& v = vertices[i].values;
      triangles.back().push_back({v[0], v[1], v[7], v[8]});
    }
    return triangles;
  }

  // The band row of each quad drawn (two triangles per quad), from its lowest texture coordinate.
  std::vector<int> RowsOf(const std::vector<std::vector<Fed>>& triangles) {
    std::vector<int> rows;
    for (size_t q = 0; q + 1 < triangles.size(); q += 2) {
      float v = 1e9f;
      for (const auto& triangle : {triangles[q], triangles[q + 1]}) {
        for (const Fed& f : triangle) v = std::min(v, f.v);
      }
      rows.push_back(int((v - 0.01f) / 0.1275f + 0.5f));
    }
    return rows;
  }
};

TEST_F(BandPanelsTest, StacksPutRowSevenAtTheBottomAndSixOnTop) {
  EXPECT_EQ(RowsOf(Feed([] { DrawBandStack(1); })), (std::vector<int>{6}));
  EXPECT_EQ(RowsOf(Feed([] { DrawBandStack(2); })), (std::vector<int>{7, 6}));
  EXPECT_EQ(RowsOf(Feed([] { DrawBandStack(4); })), (std::vector<int>{7, 6, 0, 6}));
  EXPECT_TRUE(Feed([] { DrawBandStack(0); }).empty());
  // Storeys a quarter unit tall, one on the other from y = 0 (pixel 50) to 1 (pixel 75).
  const auto stack = Feed([] { DrawBandStack(4); });
  for (size_t q = 0; q < 4; ++q) {
    float low = 1e9f, high = -1e9f;
    for (const auto& triangle : {stack[2 * q], stack[2 * q + 1]}) {
      for (const Fed& f : triangle) low = std::min(low, f.y), high = std::max(high, f.y);
    }
    EXPECT_NEAR(low, 50 + 6.25f * q, 1e-4) << q;
    EXPECT_NEAR(high, 50 + 6.25f * (q + 1), 1e-4) << q;
  }
}

TEST_F(BandPanelsTest, RowThreeReachesHalfAUnitLower) {
  auto height = [](const std::vector<std::vector<Fed>>& triangles) {
    float low = 1e9f, high = -1e9f;
    for (const auto& triangle : triangles) {
      for (const Fed& f : triangle) low = std::min(low, f.y), high = std::max(high, f.y);
    }
    return (high - low) / 25.0f;  // 25 pixels per unit
  };
  EXPECT_NEAR(height(Feed([] { DrawBandQuad(3); })), 1.5f, 1e-4);
  EXPECT_NEAR(height(Feed([] { DrawBandQuad(2); })), 1.0f, 1e-4);
}

TEST_F(BandPanelsTest, NoiseTakesFiveDrawsAndWithoutAmountAFixedWindow) {
  RandomSeed(99);
  const auto first = Feed([] { DrawNoiseQuad(4, 0.0); });
  RandomSeed(99);
  for (int i = 0; i < 5; ++i) RandomRaw();
  const uint32_t afterFive = RandomState();
  RandomSeed(99);
  DrawNoiseQuad(4, 0.0);
  EXPECT_EQ(RandomState(), afterFive);
  ASSERT_FALSE(first.empty());
  float lowestU = 1e9f;
  for (const auto& triangle : first) {
    for (const Fed& f : triangle) lowestU = std::min(lowestU, f.u);
  }
  RandomSeed(99);
  RandomUnit(), RandomUnit(), RandomUnit(), RandomUnit();
  const double k = (RandomUnit() * 0.2 + 0.1) * 0.7;
  EXPECT_NEAR(lowestU, -1 * k * 4, 1e-5);  // b = 0: only the scale k is random
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

}  // namespace
