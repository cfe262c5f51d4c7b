// The batched renderer's CPU half: how primitives become triangles and lines, what a display list keeps,
// how wide lines are drawn, which draws join, and its matrices against GLU's.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <span>
#include <vector>

#include "render/batched/batch_builder.h"
#include "render/batched/matrix_stack.h"
#include "tests/gl_fixture.h"

namespace {

// A builder drawing in a 100 x 100 viewport with identity matrices: clip space is object space.
BatchBuilder Builder() {
  BatchBuilder builder;
  builder.State().viewport[2] = builder.State().viewport[3] = 100;
  return builder;
}

void Draw(BatchBuilder& b, GLenum mode, std::initializer_list<std::array<double, 2>> corners) {
  b.Begin(mode);
  for (const auto& c : corners) b.Vertex(c[0], c[1], 0);
  b.End();
}

// Twice the signed area of each triangle drawn: positive when counter-clockwise on screen.
std::vector<double> Windings(const BatchBuilder& b) {
  std::vector<double> areas;
  const auto& v = b.Vertices();
  const auto& i = b.Indices();
  for (size_t k = 0; k + 2 < i.size(); k += 3) {
    const BatchVertex &p = v[i[k]], &q = v[i[k + 1]], &r = v[i[k + 2]];
    areas.push_back((q.x - p.x) * (r.y - p.y) - (r.x - p.x) * (q.y - p.y));
  }
  return areas;
}

TEST(BatchBuilder, PrimitivesBecomeTrianglesWindingAsDrawn) {
  const std::array<double, 2> a{0, 0}, b{1, 0}, c{1, 1}, d{0, 1}, g{0, 2}, h{1, 2};
  struct Case {
    GLenum mode;
    std::initializer_list<std::array<double, 2>> corners;
    size_t triangles;
  };
  for (const Case& test :
       {Case{GL_QUADS, {a, b, c, d}, 2}, Case{GL_QUAD_STRIP, {a, b, d, c, g, h}, 4},
        Case{GL_POLYGON, {a, b, c, d}, 2}, Case{GL_TRIANGLE_FAN, {a, b, c, d}, 2},
        Case{GL_TRIANGLE_STRIP, {a, b, d, c}, 2}, Case{GL_TRIANGLES, {a, b, c, a, c}, 1}}) {
    BatchBuilder builder = Builder();
    Draw(builder, test.mode, test.corners);
    const auto windings = Windings(builder);
    EXPECT_EQ(windings.size(), test.triangles) << test.mode;
    for (double w : windings) EXPECT_GT(w, 0) << test.mode;
    ASSERT_EQ(builder.Commands().size(), 1u);
    EXPECT_EQ(builder.Commands()[0].state.primitive, GLenum(GL_TRIANGLES));
  }
  BatchBuilder few = Builder();
  Draw(few, GL_QUADS, {a, b, c});  // an unfinished quad draws nothing
  EXPECT_TRUE(few.Commands().empty());
}

TEST(BatchBuilder, ThinLinesStayLinesAndWideOnesBecomeQuadsAcrossTheirMinorAxis) {
  BatchBuilder builder = Builder();
  Draw(builder, GL_LINE_LOOP, {{0, 0}, {0.5, 0}, {0.5, 0.5}});
  ASSERT_EQ(builder.Commands().size(), 1u);
  EXPECT_EQ(builder.Commands()[0].state.primitive, GLenum(GL_LINES));
  EXPECT_EQ(builder.Commands()[0].indexCount, 6);  // three segments, the loop closed

  builder.Clear();
  builder.State().lineWidth = 4;  // 4 pixels: 0.08 in normalised units of a 100-pixel viewport
  Draw(builder, GL_LINES, {{-0.5, 0}, {0.5, 0.1}});  // mostly horizontal: widened up and down
  ASSERT_EQ(builder.Commands().size(), 1u);
  EXPECT_EQ(builder.Commands()[0].state.primitive, GLenum(GL_TRIANGLES));
  float low = 1e9f, high = -1e9f;
  for (uint32_t i : builder.Indices()) {
    const BatchVertex& v = builder.Vertices()[i];
    if (v.x < -0.4f) low = std::min(low, v.y), high = std::max(high, v.y);
  }
  EXPECT_NEAR(high - low, 0.08f, 1e-6);
}

TEST(BatchBuilder, ADisplayListKeepsItsTrianglesAndTakesTheColourAndMatrixOfEachCall) {
  BatchBuilder builder = Builder();
  builder.BeginList(7);
  Draw(builder, GL_TRIANGLE_FAN, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  builder.EndList();
  EXPECT_TRUE(builder.Vertices().empty());  // recording draws nothing
  builder.SetColour(2, 0.5f, -1, 1);        // clamped as the fixed-function pipeline clamps
  builder.Stack(GL_MODELVIEW).MultiplyBy(TranslationMatrix(10, 0, 0));
  builder.MatricesChanged();
  builder.CallList(7);
  builder.CallList(99);  // never recorded: nothing
  ASSERT_EQ(builder.Indices().size(), 6u);
  const BatchVertex& first = builder.Vertices()[builder.Indices()[0]];
  EXPECT_EQ(first.x, 10.0f);
  EXPECT_EQ(first.r, 255);
  EXPECT_EQ(first.g, 128);
  EXPECT_EQ(first.b, 0);
}

TEST(BatchBuilder, DrawsJoinUntilTheStateChangesAndPoppedAttributesComeBack) {
  BatchBuilder builder = Builder();
  const std::initializer_list<std::array<double, 2>> quad = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  Draw(builder, GL_QUADS, quad);
  Draw(builder, GL_QUADS, quad);
  EXPECT_EQ(builder.Commands().size(), 1u);
  ASSERT_TRUE(builder.PushAttributes());
  builder.State().texturing = true;
  builder.State().boundTexture = 0;  // a texture never made: drawn untextured, so the draw goes on
  Draw(builder, GL_QUADS, quad);
  EXPECT_EQ(builder.Commands().size(), 1u);
  builder.State().boundTexture = 5;
  builder.State().blend = true;
  Draw(builder, GL_QUADS, quad);
  ASSERT_EQ(builder.Commands().size(), 2u);
  EXPECT_EQ(builder.Commands()[1].state.texture, 5u);
  ASSERT_TRUE(builder.PopAttributes());
  EXPECT_FALSE(builder.State().texturing);
  EXPECT_FALSE(builder.State().blend);
  EXPECT_FALSE(builder.PopAttributes());  // nothing left to pop
}

// A builder with a perspective view of a rotated, shifted scene, as the show's frames have.
BatchBuilder ViewingBuilder() {
  BatchBuilder builder = Builder();
  builder.Stack(GL_PROJECTION).Load(PerspectiveMatrix(60, 16.0 / 9.0, 0.5, 400));
  builder.Stack(GL_MODELVIEW).Load(LookAtMatrix(3.3, -1.7, 40, 0.2, 0.4, -5, 0.1, 1, 0));
  builder.Stack(GL_MODELVIEW).MultiplyBy(RotationMatrix(17.5, 0.2, 0.3, 1));
  builder.MatricesChanged();
  builder.SetColour(0.3f, 0.6f, 0.9f, 1);
  return builder;
}

std::vector<SpanVertex> Ribbon() {
  std::vector<SpanVertex> ribbon;
  for (int i = 0; i < 40; ++i) {
    const float x = 0.37f * float(i) - 3, y = std::sin(0.3f * float(i)) * 2.1f;
    ribbon.push_back({x, y + 0.45f, 0.0f, 0.11 * x + 0.3, 0.11 * y - 0.05});
    ribbon.push_back({x, y - 0.45f, 0.25f, 0.11 * x + 0.3, 0.11 * y - 0.07});
  }
  return ribbon;
}

// What a builder recorded, byte for byte.
std::vector<uint8_t> Recorded(const BatchBuilder& b) {
  std::vector<uint8_t> bytes(b.Vertices().size() * sizeof(BatchVertex) + b.Indices().size() * 4);
  std::memcpy(bytes.data(), b.Vertices().data(), b.Vertices().size() * sizeof(BatchVertex));
  std::memcpy(bytes.data() + b.Vertices().size() * sizeof(BatchVertex), b.Indices().data(),
              b.Indices().size() * 4);
  return bytes;
}

TEST(BatchBuilder, ASpanRecordsTheVerySameBytesAsTheCallsItStandsFor) {
  const std::vector<SpanVertex> ribbon = Ribbon();
  for (const bool textured : {false, true}) {
    for (const bool textureMatrix : {false, true}) {
      BatchBuilder calls = ViewingBuilder(), span = ViewingBuilder();
      for (BatchBuilder* b : {&calls, &span}) {
        b->State().texCoord[0] = 0.25f, b->State().texCoord[1] = 0.75f;
        if (textureMatrix) b->Stack(GL_TEXTURE).Load(ScaleMatrix(2, 0.5, 1)), b->MatricesChanged();
      }
      calls.Begin(GL_QUAD_STRIP);
      for (const SpanVertex& v : ribbon) {
        if (textured) calls.State().texCoord[0] = float(v.s), calls.State().texCoord[1] = float(v.t);
        calls.Vertex(v.x, v.y, v.z);
      }
      calls.End();
      ASSERT_TRUE(span.AppendSpan({GL_QUAD_STRIP, ribbon.data(), int(ribbon.size()), textured}));
      EXPECT_EQ(Recorded(span), Recorded(calls)) << textured << textureMatrix;
      EXPECT_EQ(span.State().texCoord[0], calls.State().texCoord[0]);  // left as the last call left it
      EXPECT_EQ(span.Commands().size(), 1u);
      EXPECT_EQ(span.VerticesSubmitted(), calls.VerticesSubmitted());
    }
  }
  BatchBuilder builder = Builder();
  EXPECT_FALSE(builder.AppendSpan({GL_POINTS, ribbon.data(), 4, false}));
  EXPECT_TRUE(builder.Commands().empty());
}

// The back end's windows stand in for mapped buffer memory here.
TEST(BatchBuilder, ABatchThatOutgrowsItsWindowKeepsEveryVertexInOrder) {
  std::vector<BatchVertex> vertexWindow(100);
  std::vector<uint32_t> indexWindow(4000);
  int windowsOpened = 0;
  const std::vector<SpanVertex> ribbon = Ribbon();  // 80 vertices: the second span does not fit
  BatchBuilder windowed = ViewingBuilder(), plain = ViewingBuilder();
  windowed.SetWindows(
      [&] {
        ++windowsOpened;
        return std::span<BatchVertex>(vertexWindow);
      },
      [&] { return std::span<uint32_t>(indexWindow); });
  for (int batch = 0; batch < 2; ++batch) {
    for (BatchBuilder* b : {&windowed, &plain}) {
      for (int i = 0; i < 2; ++i) b->AppendSpan({GL_QUAD_STRIP, ribbon.data(), int(ribbon.size()), true});
    }
    EXPECT_FALSE(windowed.Vertices().InWindow());
    EXPECT_TRUE(windowed.Indices().InWindow());
    EXPECT_EQ(Recorded(windowed), Recorded(plain));
    windowed.Clear(), plain.Clear();
  }
  EXPECT_EQ(windowsOpened, 2);  // one for each batch

  windowed.AppendSpan({GL_QUAD_STRIP, ribbon.data(), 20, true});
  EXPECT_TRUE(windowed.Vertices().InWindow());
  EXPECT_EQ(windowed.Vertices().data(), vertexWindow.data());  // written where the back end mapped
}

// The look-at and perspective matrices are GLU's, to the last bits a float keeps.
using MatricesTest = GlTest;
TEST_F(MatricesTest, LookAtAndPerspectiveAreGlusOwn) {
  const GlSubset& gl = CompatibilityGl();
  const auto glu = [&](auto apply) {
    gl.MatrixMode(GL_MODELVIEW);
    gl.PushMatrix();
    gl.LoadIdentity();
    apply();
    GLdouble m[16];
    gl.GetDoublev(GL_MODELVIEW_MATRIX, m);
    gl.PopMatrix();
    return std::vector<double>(m, m + 16);
  };
  const auto lookAt = glu([&] { gl.LookAt(3, -2, 7, 0.5, 1, -4, 0, 1, 0.2); });
  const Matrix4 ours = LookAtMatrix(3, -2, 7, 0.5, 1, -4, 0, 1, 0.2);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(ours[size_t(i)], lookAt[size_t(i)], 1e-6) << i;
  const auto perspective = glu([&] { gl.Perspective(75, 16.0 / 9.0, 0.01, 250); });
  const Matrix4 projection = PerspectiveMatrix(75, 16.0 / 9.0, 0.01, 250);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(projection[size_t(i)], perspective[size_t(i)], 1e-6) << i;
  const Matrix4 turned = RotationMatrix(90, 0, 0, 2);
  EXPECT_NEAR(turned[1], 1.0f, 1e-7);  // x turns to y
}

}  // namespace
