#include <cmath>
#include <vector>

#include "effects/meanders.h"
#include "effects/pen_figures.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "tests/gl_fixture.h"
#include "tests/random_draws.h"

namespace {

struct Colour {
  float r, g, b;
};

// The figures span some 60 units; an orthographic -40 ... 40 view keeps them on the canvas.
class PenFiguresTest : public CanvasTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(400, -40, 40, -40, 40);
  }

  // The colour of every vertex drawn, in order; each figure runs from a freshly seeded generator.
  template <typename Draw>
  std::vector<Colour> Colours(Draw draw) {
    std::vector<Colour> out;
    const auto isolated = [&draw] {
      RandomSeed(7);
      glPushMatrix();
      draw();
      glPopMatrix();
    };
    for (const FedVertex& f : Feedback(GL_3D_COLOR, isolated))
      out.push_back({f.values[3], f.values[4], f.values[5]});
    return out;
  }
};

TEST_F(PenFiguresTest, EachFigureTakesAFixedNumberOfRandomDraws) {
  // Meanders: the pen's raw draws (one per arc, plus the run bounds of the first), two per ribbon, 22 per
  // dial and one for the breathing arcs.
  EXPECT_EQ(DrawsOf([] { DrawMeanderC(3.0); }), 4 + 16);
  EXPECT_EQ(DrawsOf([] { DrawMeanderB(3.0, false); }), 7 + 16);
  EXPECT_EQ(DrawsOf([] { DrawMeanderB(3.0, true); }), 7 + 16 + 2 * 22 + 1);
  const int meanderA = DrawsOf([] { DrawMeanderA(3.0, false); });
  EXPECT_GE(meanderA, 5 * 4 + 16 + 22);
  EXPECT_LE(meanderA, 5 * 7 + 16 + 22);
  EXPECT_EQ(DrawsOf([] { DrawMeanderA(3.0, true); }), meanderA);
  EXPECT_EQ(DrawsOf([] { DrawGlyphFigure(3.0, 1.0); }), 14);
  // The spiral: six discarded, two for the black bands, then two per creature that has not set off yet and
  // three per creature under way.
  EXPECT_EQ(DrawsOf([] { DrawSpiralFigure(10.0); }), 8 + 30 * 2);
  EXPECT_EQ(DrawsOf([] { DrawSpiralFigure(200.0); }), 8 + 30 * 3);
}

TEST_F(PenFiguresTest, MeanderRibbonsTakeTheirGreysAfterThePenDraws) {
  // The third meander's pen takes four raw draws; then each ribbon one for its grey and one for its scale.
  RandomSeed(7);
  for (int i = 0; i < 4; ++i) RandomRaw();
  std::vector<Colour> expected;
  for (int j = -4; j <= 3; ++j) {
    const double r = RandomUnit(), g = j == -4 || j == 3 ? 0.0 : 0.5 * (1.3 * r) * (1.3 * r);
    RandomUnit();
    expected.push_back({float(g), float(g), float(g * (j * 0.07 + 1))});
  }
  std::vector<Colour> seen;
  for (const Colour& c : Colours([] { DrawMeanderC(3.0); })) {
    if (seen.empty() || c.r != seen.back().r || c.b != seen.back().b) seen.push_back(c);
  }
  ASSERT_EQ(seen.size(), expected.size());
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_NEAR(seen[i].r, expected[i].r, 1e-6) << i;
    EXPECT_NEAR(seen[i].b, expected[i].b, 1e-6) << i;
  }
}

TEST_F(PenFiguresTest, ADarkFirstMeanderIsBlackDialIncluded) {
  const auto colours = Colours([] { DrawMeanderA(2.0, true); });
  ASSERT_GT(colours.size(), 1000u);
  for (const Colour& c : colours) ASSERT_EQ(c.r + c.g + c.b, 0.0f);
}

TEST_F(PenFiguresTest, OnlyTheSecondMeanderWithDialsSwitchesTheDepthTestOff) {
  glEnable(GL_DEPTH_TEST);
  DrawMeanderB(2.0, false);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  DrawMeanderB(2.0, true);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(PenFiguresTest, TheGlyphDrawsTwentyDashesPerUnitOfScale) {
  // The dashes share the grey line's colour; a scale of 0.01 leaves no dash, only the line.
  const auto greyVertices = [this](double scale) {
    size_t n = 0;
    for (const Colour& c : Colours([scale] { DrawGlyphFigure(1.0, scale); })) {
      if (std::fabs(c.r - 0.6f) < 1e-6f && c.r == c.b) ++n;
    }
    return n;
  };
  const size_t lineOnly = greyVertices(0.01);
  ASSERT_GT(lineOnly, 0u);
  EXPECT_EQ(greyVertices(1.0) - lineOnly, 20u * 6);
  EXPECT_EQ(greyVertices(2.0) - lineOnly, 40u * 6);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

}  // namespace
