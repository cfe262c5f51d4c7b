#include <array>
#include <cmath>

#include "effects/quads.h"
#include "math/random.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "scenes/drawing_helpers.h"
#include "scenes/ramps.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

TEST(EaseCurve, RisesFromZeroToOneThroughTheMiddle) {
  for (double p : {1.0, 1.5, 2.0, 4.0}) {
    EXPECT_NEAR(EaseCurve(0.0, p), 0.0, 1e-12) << p;
    EXPECT_NEAR(EaseCurve(1.0, p), 1.0, 1e-12) << p;
  }
  EXPECT_NEAR(EaseCurve(0.5, 1.0), 0.5, 1e-12);
  EXPECT_LT(EaseCurve(0.25, 1.0), EaseCurve(0.3, 1.0));
}

TEST(Ramps, ClampedRampsAndStaggeredDrawCounts) {
  EXPECT_EQ(Ramp(10.0, 12.0, 0.5), 0.0);
  EXPECT_EQ(Ramp(13.0, 12.0, 0.5), 0.5);
  EXPECT_EQ(Ramp(20.0, 12.0), 1.0);

  auto countDraws = [](std::initializer_list<double> values, double& result) {
    auto next = values.begin();
    int draws = 0;
    result = StaggeredRamp([&] { return ++draws, *next++; });
    return draws;
  };
  double result = -1;
  EXPECT_EQ(countDraws({0.5, -0.2}, result), 2);  // not above 1, then below 0
  EXPECT_EQ(result, 0.0);
  EXPECT_EQ(countDraws({0.5, 0.3, 0.4, 0.7}, result), 4);  // inside: the fourth value is the result
  EXPECT_EQ(result, 0.7);
  EXPECT_EQ(countDraws({0.5, 0.3, 1.2}, result), 3);
  EXPECT_EQ(result, 1.0);
  EXPECT_EQ(countDraws({1.5, 2.0}, result), 2);  // above 1 at once: one more comparison with 1
  EXPECT_EQ(result, 1.0);
}

// Vertex positions (window coordinates) and texture coordinates of what is drawn, through feedback mode.
struct Fed {
  float x, y, u, v;
};

class DrawingHelpersTest : public CanvasTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    OpenCanvas(100, -10, 10, -10, 10, -10, 10);
  }

  template <typename Draw>
  std::vector<Fed> Feed(Draw draw) {
    const auto isolated = [&draw] {
      glPushMatrix();
      draw();
      glPopMatrix();
    };
    std::vector<Fed> out;
    for (const FedVertex& f : Feedback(GL_3D_COLOR_TEXTURE, isolated)) {
      out.push_back({f.values[0], f.values[1], f.values[7], f.values[8]});
    }
    return out;
  }
};

TEST_F(DrawingHelpersTest, FlatQuadMirrorsItsTextureForWidthsNotAboveZero) {
  const auto plain = Feed([] { FlatQuad(0.0, 2.0, 1.0); });
  const auto mirrored = Feed([] { FlatQuad(0.0, -2.0, 1.0); });
  ASSERT_EQ(plain.size(), 6u);  // a quad comes back as two triangles
  ASSERT_EQ(mirrored.size(), 6u);
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_FLOAT_EQ(plain[i].x, mirrored[i].x);  // the same place
    EXPECT_FLOAT_EQ(plain[i].u, 1.0f - mirrored[i].u);
    EXPECT_FLOAT_EQ(plain[i].v, mirrored[i].v);
  }
  EXPECT_FLOAT_EQ(plain[0].x, 40.0f);  // x -2 ... 2 of -10 ... 10 over 100 pixels
  const auto flat = Feed([] { FlatQuad(0.0, 0.0, 1.0); });
  for (const Fed& v : flat) EXPECT_FLOAT_EQ(v.x, 50.0f);  // squashed to a line
  if (!flat.empty()) {
    EXPECT_FLOAT_EQ(flat[0].u, 1.0f);
  }
}

TEST_F(DrawingHelpersTest, ABillboardFacesTheViewerAtFullSizeAfterRotationAndScale) {
  const auto vertices = Feed([] {
    glTranslated(3, 2, 0);
    glRotated(70, 0.3, 1, 0.2);
    glScaled(0.1, 5, 3);
    BillboardQuad(0.0, 2.0, 1.0, 0.25, 0.5, 0.5);
  });
  ASSERT_EQ(vertices.size(), 6u);
  float minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9, maxU = 0;
  for (const Fed& v : vertices) {
    minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
    minY = std::min(minY, v.y), maxY = std::max(maxY, v.y);
    maxU = std::max(maxU, v.u);
  }
  EXPECT_NEAR(minX, 55, 1e-3);  // centred on (3, 2), 2 wide and 1 high each way
  EXPECT_NEAR(maxX, 75, 1e-3);
  EXPECT_NEAR(minY, 55, 1e-3);
  EXPECT_NEAR(maxY, 65, 1e-3);
  EXPECT_FLOAT_EQ(maxU, 0.75f);
}

TEST_F(DrawingHelpersTest, ResetRenderStateLeavesOpaqueWhiteAndPlainDrawing) {
  glEnable(GL_BLEND), glEnable(GL_TEXTURE_2D), glEnable(GL_LIGHTING), glEnable(GL_FOG);
  glColor4f(0.2f, 0.3f, 0.4f, 0.5f);
  ResetRenderState();
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 1.0f);
  EXPECT_EQ(colour[3], 1.0f);
  for (GLenum capability : {GL_BLEND, GL_TEXTURE_2D, GL_LIGHTING, GL_FOG, GL_COLOR_MATERIAL, GL_LIGHT0}) {
    EXPECT_FALSE(glIsEnabled(capability)) << capability;
  }
}

}  // namespace
