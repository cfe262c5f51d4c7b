// Rows recorded on worker threads give the renderer what one thread gives it: rows that seed the generator
// and rows that go on with the state the row before left, rows that leave the matrix moved for the next,
// rows that must ask GL something in their turn, and parts of a row drawn apart between the row's own calls.
#include "scenes/rows.h"

#include <array>
#include <cstdint>

#include "math/random.h"
#include "tests/gl_fixture.h"
#include "tests/vertex_stream_recorder.h"

namespace {

void RandomPoints(int count) {
  glBegin(GL_POINTS);
  for (int i = 0; i < count; ++i) glVertex3d(RandomUnit(), RandomUnit(), 0);
  glEnd();
}

void SeedsAndDraws(const Scene&) {
  RandomSeed(7);
  RandomPoints(3);
}

void GoesOnWithTheGenerator(const Scene&) {
  RandomPoints(2);
}

void MovesTheMatrix(const Scene&) {
  glTranslated(1, 2, 3);
}

void AsksForTheMatrix(const Scene&) {
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  glBegin(GL_POINTS);
  glVertex3d(m[12], m[13], m[14]);
  glEnd();
}

// Draws random numbers itself, and hands each a part of its own, with colours set between the parts.
void InParts(const Scene&, int parts) {
  RandomSeed(11);
  for (int i = 0; i < parts; ++i) {
    glColor3d(RandomUnit(), 0, 0);
    const double r = RandomUnit();
    DrawApart([i, r] {
      glBegin(GL_LINES);
      glVertex2d(i, r), glVertex2d(r, i);
      glEnd();
    });
  }
  glColor3f(1, 1, 1);
}

void ListRows(const Scene&, Rows& rows) {
  rows.Draw(SeedsAndDraws);
  rows.Draw(MovesTheMatrix);
  rows.Draw(GoesOnWithTheGenerator);
  rows.Draw(AsksForTheMatrix);
  rows.Draw(InParts, 40);
  rows.Draw(GoesOnWithTheGenerator);  // a chain: each waits for the state the one before leaves
  rows.Draw(GoesOnWithTheGenerator);
}

struct Outcome {
  uint64_t hash;
  long long vertices;
  uint32_t random;
  std::array<GLdouble, 16> matrix;
  bool operator==(const Outcome&) const = default;
};

class RowsTest : public GlTest {
 protected:
  Outcome DrawPass() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    RandomSeed(1);
    Outcome outcome{};
    {
      VertexStreamRecorder recorder;
      DrawRows(scene_, ListRows);
      outcome.hash = recorder.Hash(), outcome.vertices = recorder.Vertices();
    }
    outcome.random = RandomState();
    glGetDoublev(GL_MODELVIEW_MATRIX, outcome.matrix.data());
    return outcome;
  }

  ShowRecord show_;
  DemoState state_;
  Scene scene_{show_, state_, 0.0, {}};
};

TEST_F(RowsTest, WorkerThreadsGiveTheStreamOneThreadGives) {
  UseRowThreads(0);
  const Outcome alone = DrawPass();
  EXPECT_EQ(alone.vertices, 3 + 2 + 1 + 80 + 2 + 2);
  UseRowThreads(3);
  for (int pass = 0; pass < 20; ++pass) {  // later passes keep, and chain, the rows that stopped
    EXPECT_EQ(DrawPass(), alone) << "pass " << pass;
  }
  UseRowThreads(0);
}

void UsesTheGeneratorInAPart(const Scene&) {
  RandomSeed(3);
  DrawApart([] { RandomUnit(); });
}

TEST(RowsDeathTest, APartThatUsesTheGeneratorStopsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        ShowRecord show;
        DemoState state;
        UseRowThreads(1);
        DrawRows(Scene{show, state, 0.0, {}},
                 [](const Scene&, Rows& rows) { rows.Draw(UsesTheGeneratorInAPart); });
      },
      "a part drawn apart used the random generator");
}

}  // namespace
