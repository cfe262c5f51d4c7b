// The whole show frame after frame, as the live show draws it, from its start to its own end at 320 x 180
// and 4 frames a second, in silence. Under the sanitizers this is the check that no frame reads or writes
// out of bounds. In the normal build the show then runs a second time, which must not take more memory
// than the first: llvmpipe keeps the working memory of the busiest frame it has drawn (some 600 MB here,
// reached in steps as busier frames come), so flat is measured once the driver has seen every frame.
#include <unistd.h>

#include <fstream>

#include "render/frame_renderer.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"
#include "tests/scratch_pack.h"

namespace {

constexpr double kStep = 0.25;
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeasurable = false;  // the address sanitizer holds freed memory back on purpose
#else
constexpr bool kMemoryIsMeasurable = true;
#endif

long ResidentKiB() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Frames drawn from the renderer's current frame to the show's end.
int RunToTheEnd(FrameRenderer& renderer) {
  int frames = 1;
  for (; !renderer.NextPassesShowEnd(); ++frames) renderer.RenderNext();
  return frames;
}

using WholeShowTest = GlTest;

TEST_F(WholeShowTest, RunsToItsOwnEndAndAgainWithoutGrowing) {
  ScratchPack pack;
  RecordingMessages messages;
  auto renderer = FrameRenderer::Create(320, 180, kStep, messages);
  ASSERT_NE(renderer, nullptr);
  renderer->RenderAt(kStep);
  EXPECT_EQ(RunToTheEnd(*renderer), 947);  // 236.8 s at 4 frames a second
  EXPECT_GT(renderer->Show().showTime, 240.0);
  EXPECT_TRUE(messages.shown.empty());
  if (!kMemoryIsMeasurable) return;
  const long afterFirstRun = ResidentKiB();
  renderer->RenderAt(kStep);
  RunToTheEnd(*renderer);
  EXPECT_LT(ResidentKiB() - afterFirstRun, 4 * 1024) << "KiB taken by the second run";
}

}  // namespace
