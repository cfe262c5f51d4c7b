// Calls recorded into a log and replayed later are the very calls, in order: vertices, colours, texture
// coordinates, whole spans, matrices; calls that must answer at once refuse to be recorded.
#include "render/call_log.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "tests/gl_fixture.h"
#include "tests/vertex_stream_recorder.h"

namespace {

using Matrix = std::array<GLdouble, 16>;

// A little of everything a row does: matrices set and moved, immediate vertices in colour and with texture
// coordinates, a span (from memory the caller reuses at once), and a point where `atTheMiddle` is called.
void DrawALittleOfEverything(const std::function<void()>& atTheMiddle) {
  const Matrix moved = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 1, 0, 0.5, -0.25, 0, 1};
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(moved.data());
  glPushMatrix();
  glTranslated(0.1, 0.2, 0.3);
  glRotated(30, 0, 0, 1);
  glScaled(1.5, 1.5, 1);
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  glBegin(GL_TRIANGLES);
  glTexCoord2f(0.125f, 0.375f), glVertex3f(0.1f, 0.2f, 0.3f);
  glTexCoord2d(0.3, 0.7), glVertex2d(-0.6, 0.4);
  glColor3d(1.0 / 3, 0.0, 1.0), glVertex2f(0.9f, -0.1f);
  glEnd();
  atTheMiddle();
  std::vector<SpanVertex> strip = {
      {0, 0, 0, 0.5, 0.25}, {1, 0, 0, 1.0 / 3, 0}, {0, 1, 0, 0, 1}, {1, 1, 0, 1, 1}};
  DrawVertexSpan({GL_QUAD_STRIP, strip.data(), int(strip.size()), true});
  strip.assign(strip.size(), {9, 9, 9, 9, 9});  // the log keeps its own copy
  glPopMatrix();
  glTranslatef(0.0f, 0.0f, -0.5f);
}

Matrix ModelView() {
  Matrix m;
  glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

class CallLogTest : public GlTest {};

// What the stream and the matrix were at the middle of the drawing.
VertexStreamRecorder* gRecorder = nullptr;
long long gVerticesAtTheMiddle = -1;
Matrix gMatrixAtTheMiddle;

void NoteTheMiddle(void*) {
  gVerticesAtTheMiddle = gRecorder->Vertices();
  gMatrixAtTheMiddle = ModelView();
}

TEST_F(CallLogTest, AReplayMakesTheVeryCallsInOrder) {
  std::pair<uint64_t, long long> direct;
  {
    VertexStreamRecorder recorder;
    gRecorder = &recorder;
    DrawALittleOfEverything([] { NoteTheMiddle(nullptr); });
    direct = {recorder.Hash(), recorder.Vertices()};
  }
  const Matrix directMatrix = ModelView(), directMiddle = gMatrixAtTheMiddle;
  EXPECT_EQ(gVerticesAtTheMiddle, 3);

  CallLog log;
  {
    const CallRecording recording(log);
    DrawALittleOfEverything([&] { log.AppendCallback(NoteTheMiddle, nullptr); });
  }
  glLoadIdentity();
  std::pair<uint64_t, long long> replayed;
  {
    VertexStreamRecorder recorder;
    gRecorder = &recorder;
    gVerticesAtTheMiddle = -1;
    log.Replay();
    replayed = {recorder.Hash(), recorder.Vertices()};
  }
  gRecorder = nullptr;

  EXPECT_EQ(replayed, direct);
  EXPECT_EQ(gVerticesAtTheMiddle, 3);
  EXPECT_EQ(gMatrixAtTheMiddle, directMiddle);
  EXPECT_EQ(ModelView(), directMatrix);
  glLoadIdentity();
}

TEST_F(CallLogTest, CallsThatAnswerAtOnceRefuseToBeRecorded) {
  CallLog log;
  {
    const CallRecording recording(log);
    GLdouble matrix[16];
    EXPECT_THROW(glGetDoublev(GL_MODELVIEW_MATRIX, matrix), CallNeedsAnswer);
    GLuint name = 0;
    EXPECT_THROW(glGenTextures(1, &name), CallNeedsAnswer);
    EXPECT_THROW(glGetString(GL_VERSION), CallNeedsAnswer);
  }
  EXPECT_TRUE(log.Empty());
  EXPECT_NE(glGetString(GL_VERSION), nullptr);  // the thread's own table is back
}

}  // namespace
