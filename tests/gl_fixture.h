// A headless GL context shared by all GL tests of a process; the tests are skipped where none can be made.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/headless_context.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "tests/recording_messages.h"

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override;
};

// A GL test that draws into a square offscreen target through an orthographic view.
class CanvasTest : public GlTest {
 protected:
  void OpenCanvas(int pixels, double left, double right, double bottom, double top, double zNear = -1,
                  double zFar = 1);
  void TearDown() override { ReleaseOffscreenTarget(target); }

  OffscreenTarget target;
  RecordingMessages messages;
};

// One vertex that feedback mode reported: the kind of primitive it came in and its values in the format's
// order (window x, y, z; colour; texture coordinates).
struct FedVertex {
  int token;
  std::vector<GLfloat> values;
};

// Every vertex `draw` produces in the given feedback format (GL_2D, GL_3D, GL_3D_COLOR, GL_3D_COLOR_TEXTURE);
// polygons come back as triangles. Mesa reports only the first primitive of a display list this way.
template <typename Draw>
std::vector<FedVertex> Feedback(GLenum format, Draw draw) {
  const int perVertex = format == GL_2D ? 2 : format == GL_3D ? 3 : format == GL_3D_COLOR ? 7 : 11;
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(GLsizei(buffer.size()), format, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const int used = glRenderMode(GL_RENDER);
  std::vector<FedVertex> vertices;
  for (int i = 0; i < used;) {
    const int token = int(buffer[i++]);
    int count = 0;
    if (token == GL_POLYGON_TOKEN) {
      count = int(buffer[i++]);
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      count = 2;
    } else {
      break;
    }
    for (int k = 0; k < count; ++k, i += perVertex) {
      vertices.push_back({token, std::vector<GLfloat>(&buffer[i], &buffer[i] + perVertex)});
    }
  }
  return vertices;
}
