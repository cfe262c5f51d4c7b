#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "assets/outline_shapes.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "tests/asset_files.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

namespace fs = std::filesystem;

using namespace test_assets;

// Window coordinates of every vertex that list `number` draws (viewport 100 x 100, identity matrices).
std::vector<std::array<float, 3>> Drawn(GLuint number) {
  std::vector<GLfloat> buffer(1 << 16);
  glViewport(0, 0, 100, 100);
  glMatrixMode(GL_PROJECTION), glLoadIdentity();
  glMatrixMode(GL_MODELVIEW), glLoadIdentity();
  glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glCallList(number);
  const int used = glRenderMode(GL_RENDER);
  std::vector<std::array<float, 3>> vertices;
  for (int i = 0; i < used;) {
    const int token = int(buffer[i++]);
    if (token != GL_POLYGON_TOKEN) break;
    const int count = int(buffer[i++]);
    for (int v = 0; v < count; ++v, i += 3) vertices.push_back({buffer[i], buffer[i + 1], buffer[i + 2]});
  }
  return vertices;
}

class OutlineShapesTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    directory = fs::temp_directory_path() / ("velmora-shapes-" + std::to_string(getpid()));
    fs::create_directories(directory);
    CreateOffscreenTarget(target, 100, 100, QueryOffscreenSupport());  // something to draw into
    MakeOffscreenTargetCurrent(target);
  }
  void TearDown() override {
    ReleaseOffscreenTarget(target);
    fs::remove_all(directory);
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = (directory / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    return path;
  }
  fs::path directory;
  OffscreenTarget target;
  RecordingMessages messages;
  int glyphCount = -1;
};

TEST_F(OutlineShapesTest, CoordinatesAndDepthAreScaledIntoTheList) {
  const Contour square = {{-30000, -30000}, {30000, -30000}, {30000, 30000}, {-30000, 30000}};
  const std::string path = Write("square.txt", ShapeFileWriter().Glyph().Polygon(square, 1.0).Bytes());
  ASSERT_TRUE(ReadGlyphLists(path, glyphCount, 40, 1.0, messages));
  EXPECT_EQ(glyphCount, 1);
  const auto vertices = Drawn(40);
  ASSERT_EQ(vertices.size(), 6u);  // two triangles
  for (const auto& v : vertices) {
    EXPECT_TRUE(v[0] == 0.0f || v[0] == 100.0f);  // -1 ... 1 fills the viewport
    EXPECT_TRUE(v[1] == 0.0f || v[1] == 100.0f);
    EXPECT_NEAR(v[2], (0.014f + 1.0f) / 2.0f, 1e-6);
  }
}

// Mesa's feedback mode reports only the first primitive of a list, so lists of several are checked by
// drawing.
TEST_F(OutlineShapesTest, AGlyphListHoldsAllItsPolygons) {
  const Contour left = {{-25000, -5000}, {-15000, -5000}, {-15000, 5000}, {-25000, 5000}};
  const Contour right = {{15000, -5000}, {25000, -5000}, {20000, 5000}};
  const std::string path = Write("two.txt", ShapeFileWriter().Glyph().Polygon(left).Polygon(right).Bytes());
  ASSERT_TRUE(ReadGlyphLists(path, glyphCount, 9, 1.0, messages));
  glViewport(0, 0, 100, 100);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  glCallList(9);
  ResolveOffscreenTarget(target);
  glBindFramebuffer(GL_FRAMEBUFFER, target.resolveFramebuffer);
  uint8_t pixel[4];
  for (int x : {17, 83}) {
    glReadPixels(x, 50, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255) << x;
  }
  glReadPixels(50, 50, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 0);
}

TEST_F(OutlineShapesTest, PolygonListsFillOnlyShapesOfSixPointsOrMoreAndLaterGlyphsReplaceEarlierLists) {
  const std::string path = Write("polygons.txt", ShapeFileWriter()
                                                     .Glyph()
                                                     .Polygon(RegularPolygon(3))
                                                     .Polygon(RegularPolygon(5))
                                                     .Polygon(RegularPolygon(6))
                                                     .Glyph()
                                                     .Polygon(RegularPolygon(8))
                                                     .Bytes());
  ASSERT_TRUE(ReadPolygonLists(path, glyphCount, 1000, 1.0, messages));
  EXPECT_EQ(glyphCount, 2);
  EXPECT_TRUE(glIsList(1000));
  EXPECT_EQ(Drawn(1000).size(), 0u);      // triangle: empty
  EXPECT_EQ(Drawn(1001).size(), 6 * 3u);  // glyph 1's octagon replaced glyph 0's pentagon
  EXPECT_EQ(Drawn(1002).size(), 4 * 3u);  // hexagon
}

TEST_F(OutlineShapesTest, EmptyFilesAndListZeroCompileNothing) {
  while (glGetError() != GL_NO_ERROR) {
  }
  ASSERT_TRUE(ReadGlyphLists(Write("none.txt", ShapeFileWriter().Bytes()), glyphCount, 300, 1.0, messages));
  EXPECT_EQ(glyphCount, 0);
  EXPECT_FALSE(glIsList(300));
  const std::string one = Write("one.txt", ShapeFileWriter().Glyph().Polygon(RegularPolygon(4)).Bytes());
  ASSERT_TRUE(ReadGlyphLists(one, glyphCount, 0, 1.0, messages));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OutlineShapesTest, MissingShortOversizedAndBottomlessFilesAreReportedAndCompileNothing) {
  EXPECT_FALSE(ReadGlyphLists((directory / "missing.txt").string(), glyphCount, 500, 1.0, messages));
  auto bytes =
      ShapeFileWriter().Glyph().Polygon(RegularPolygon(12)).Glyph().Polygon(RegularPolygon(12)).Bytes();
  for (size_t cut : {size_t(0), size_t(11), bytes.size() / 2, bytes.size() - 1}) {
    const std::string path = Write("cut.txt", std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut)));
    EXPECT_FALSE(ReadPolygonLists(path, glyphCount, 500, 1.0, messages)) << cut;
  }
  EXPECT_FALSE(glIsList(500));
  const std::string huge =
      Write("huge.txt", ShapeFileWriter().Glyph().Polygon(Contour(8193, {1, 1})).Bytes());
  EXPECT_FALSE(ReadGlyphLists(huge, glyphCount, 500, 1.0, messages));
  for (const double depth : {std::nan(""), 1e300, -2e6}) {
    const std::string deep =
        Write("deep.txt", ShapeFileWriter().Glyph().Polygon(RegularPolygon(12), depth).Bytes());
    EXPECT_FALSE(ReadGlyphLists(deep, glyphCount, 500, 1.0, messages)) << depth;
  }
  ASSERT_EQ(messages.shown.size(), 9u);
  EXPECT_EQ(messages.shown[5], huge);
  const std::string most =
      Write("most.txt", ShapeFileWriter().Glyph().Polygon(Contour(8192, {1, 1})).Bytes());
  EXPECT_TRUE(ReadGlyphLists(most, glyphCount, 500, 1.0, messages));
}

}  // namespace
