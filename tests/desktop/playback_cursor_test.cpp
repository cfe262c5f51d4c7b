#include "desktop/playback_cursor.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr int kFade = 8;

// Steps the cursor `count` times and checks, across everything handed over so far, that the gain moves by at
// most one fade step a frame and that the music's place changes, or stops and starts, only at silence.
class Listener {
 public:
  explicit Listener(PlaybackCursor& cursor) : cursor_(cursor) {}

  void Listen(int count) {
    for (int i = 0; i < count; ++i) {
      const auto step = cursor_.Next();
      if (!step) {
        if (last_) {
          EXPECT_LE(last_->gain, 1.0 / kFade) << "stopped at gain " << last_->gain;
        }
        last_.reset();
        continue;
      }
      if (last_) {
        EXPECT_LE(std::abs(step->gain - last_->gain), 1.0 / kFade + 1e-12) << "at frame " << step->frame;
        if (step->frame != last_->frame + 1) {
          EXPECT_LE(last_->gain, 1.0 / kFade) << "jumped from " << last_->frame;
          EXPECT_EQ(step->gain, 0.0) << "jumped to " << step->frame;
        }
      } else if (started_) {
        EXPECT_EQ(step->gain, 0.0) << "resumed at " << step->frame;
      }
      started_ = true;
      last_ = step;
      frames.push_back(step->frame);
    }
  }

  std::vector<uint64_t> frames;

 private:
  PlaybackCursor& cursor_;
  std::optional<PlaybackCursor::Step> last_;
  bool started_ = false;
};

TEST(PlaybackCursor, JumpsAndPausesFadeOutAndInWhateverTheyInterrupt) {
  PlaybackCursor cursor(kFade);
  Listener listener(cursor);
  EXPECT_FALSE(cursor.Next());  // nothing before the start
  cursor.Start(1000);
  listener.Listen(20);
  EXPECT_EQ(listener.frames.front(), 1000u);  // full gain at once at the start

  cursor.Seek(50000);  // a jump while playing
  EXPECT_EQ(cursor.PendingJump(), 50000u);
  listener.Listen(kFade + 3);
  EXPECT_EQ(listener.frames.back(), 50002u);
  cursor.Seek(200);  // a jump in the middle of the fade in, and another in the middle of its fade out
  listener.Listen(2);
  cursor.Seek(300);
  listener.Listen(kFade);
  EXPECT_EQ(listener.frames.back(), 300u + kFade - 2);  // one frame of fade out was left

  cursor.Pause();  // fades out, then holds
  listener.Listen(2 * kFade);
  EXPECT_TRUE(cursor.PausedOrPausing());
  const size_t heard = listener.frames.size();
  listener.Listen(5);
  EXPECT_EQ(listener.frames.size(), heard);

  cursor.Seek(7000);  // resumes at the very frame, fading in
  listener.Listen(kFade + 1);
  EXPECT_EQ(listener.frames[heard], 7000u);

  cursor.Seek(9000);  // a pause during a jump's fade out, then a jump during the pause's fade out
  listener.Listen(3);
  cursor.Pause();
  listener.Listen(2);
  cursor.Seek(4000);
  listener.Listen(2 * kFade);
  EXPECT_EQ(listener.frames.back(), 4000u + (2 * kFade - 3) - 1);  // after the three frames of fade out left
}

}  // namespace
