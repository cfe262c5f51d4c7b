#include <algorithm>
#include <cmath>
#include <set>

#include "effects/dials.h"
#include "effects/random.h"
#include "render/gl_api.h"
#include "render/offscreen_target.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"

namespace {

int DrawsOf(void (*draw)()) {
  RandomSeed(7);
  draw();
  const uint32_t after = RandomState();
  RandomSeed(7);
  for (int n = 0; n < 100; ++n) {
    if (RandomState() == after) return n;
    RandomRaw();
  }
  return -1;
}

struct Fed {
  int token;
  float x, y, r, g, b;
};

class DialsTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    CreateOffscreenTarget(target, 100, 100, QueryOffscreenSupport(), messages);
    MakeOffscreenTargetCurrent(target);
    glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(-50, 50, -50, 50, -1, 1);
    glMatrixMode(GL_MODELVIEW), glLoadIdentity();
  }
  void TearDown() override { ReleaseOffscreenTarget(target); }

  // Every vertex drawn, with the primitive kind it came in (polygon or line) and its colour.
  template <typename Draw>
  std::vector<Fed> Feed(Draw draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glPushMatrix();
    draw();
    glPopMatrix();
    const int used = glRenderMode(GL_RENDER);
    std::vector<Fed> out;
    for (int i = 0; i < used;) {
      const int token = int(buffer[i++]);
      const int count = token == GL_POLYGON_TOKEN ? int(buffer[i++]) : 2;
      if (token != GL_POLYGON_TOKEN && token != GL_LINE_TOKEN && token != GL_LINE_RESET_TOKEN) break;
      for (int k = 0; k < count; ++k, i += 7)
        out.push_back({token, buffer[i], buffer[i + 1], buffer[i + 3], buffer[i + 4], buffer[i + 5]});
    }
    return out;
  }

  OffscreenTarget target;
  RecordingMessages messages;
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
