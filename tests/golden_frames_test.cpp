// Frames of the first half at fixed instants against reference pictures that llvmpipe drew, at 640 x 360,
// in silence (no music file, so both spectrum levels are 0). Set VELMORA_UPDATE_GOLDEN=1 to redraw the
// references; do so only for a change that is meant to alter the picture, and say which in the commit.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "render/frame_renderer.h"
#include "render/gl_api.h"
#include "tests/gl_fixture.h"
#include "tests/recording_messages.h"
#include "tools/png_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 640, kHeight = 360;
// Demo clocks: after the fade-in, inside the busy windows, and the last frame of the half (show 140.98 s).
constexpr double kInstants[] = {16, 24, 32, 44, 55, 64, 75, 86, 97, 108, 118, 126, 134.16666666666666};

std::string NameOf(double clock) {
  char name[64];
  std::snprintf(name, sizeof name, "first_half_%06.2f.png", clock);
  return name;
}

struct Difference {
  double mean = 0;         // mean absolute difference per channel
  double farFraction = 0;  // share of pixels with a channel more than 16 apart
};

Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  Difference d;
  size_t far = 0;
  for (size_t i = 0; i < a.size(); i += 3) {
    int most = 0;
    for (size_t c = 0; c < 3; ++c) {
      const int delta = std::abs(int(a[i + c]) - int(b[i + c]));
      d.mean += delta;
      most = std::max(most, delta);
    }
    if (most > 16) ++far;
  }
  d.mean /= double(a.size());
  d.farFraction = double(far) / double(a.size() / 3);
  return d;
}

// Renders from a scratch directory that holds the build's asset pack and no music.
class GoldenFramesTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (renderer.find("llvmpipe") == std::string::npos)
      GTEST_SKIP() << "the reference frames were drawn by llvmpipe; this context renders with " << renderer;
    previous_ = fs::current_path();
    scratch_ = fs::temp_directory_path() / ("velmora-golden-" + std::to_string(getpid()));
    fs::create_directories(scratch_);
    fs::create_directory_symlink(fs::path(VELMORA_PACK_DIR) / "textures", scratch_ / "textures");
    fs::current_path(scratch_);
    renderer_ = FrameRenderer::Create(kWidth, kHeight, 1.0 / 60.0, messages_);
    ASSERT_NE(renderer_, nullptr);
  }
  void TearDown() override {
    if (previous_.empty()) return;
    fs::current_path(previous_);
    fs::remove_all(scratch_);
  }

  fs::path previous_, scratch_;
  RecordingMessages messages_;
  std::unique_ptr<FrameRenderer> renderer_;
};

TEST_F(GoldenFramesTest, TheFirstHalfMatchesItsReferenceFrames) {
  const bool update = std::getenv("VELMORA_UPDATE_GOLDEN") != nullptr;
  for (double clock : kInstants) {
    renderer_->RenderAt(clock);
    const auto pixels = renderer_->ReadPixels();
    const std::string reference = std::string(VELMORA_GOLDEN_DIR) + "/" + NameOf(clock);
    if (update) {
      ASSERT_TRUE(WritePng(reference, pixels, kWidth, kHeight)) << reference;
      continue;
    }
    std::vector<uint8_t> expected;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadPng(reference, expected, width, height)) << "no reference " << reference;
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    const Difference d = Compare(pixels, expected);
    const bool close = d.mean < 0.5 && d.farFraction < 0.002;
    if (!close) {
      const fs::path actual = fs::path(VELMORA_PACK_DIR) / "test-artifacts" / ("actual_" + NameOf(clock));
      fs::create_directories(actual.parent_path());
      WritePng(actual.string(), pixels, kWidth, kHeight);
    }
    EXPECT_TRUE(close) << NameOf(clock) << ": mean difference " << d.mean << ", " << 100 * d.farFraction
                       << " % of the pixels far off; this frame is in test-artifacts/actual_"
                       << NameOf(clock);
  }
  EXPECT_LE(renderer_->Show().showTime, 141.0);  // the last instant is still the first half
}

TEST_F(GoldenFramesTest, AnInstantOfTheFirstHalfIsDrawnTheSameEveryTime) {
  renderer_->RenderAt(97.0);
  const auto first = renderer_->ReadPixels();
  renderer_->RenderAt(44.0);
  renderer_->RenderAt(97.0);
  EXPECT_TRUE(renderer_->ReadPixels() == first);
}

}  // namespace
