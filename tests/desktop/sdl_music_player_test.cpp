#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "desktop/sdl_music_player.h"
#include "tests/music_files.h"

namespace {

// Real playback through SDL's dummy audio driver, which consumes samples at the device rate. Waits for the
// position to move on, however late the audio thread runs, and checks that it never outruns the clock.
TEST_F(MusicFiles, ThePlayingPositionAdvancesNoFasterThanThePlaybackRate) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMusicPlayer player;
  ASSERT_TRUE(player.Init());
  ASSERT_TRUE(player.Load(PathOf("tone.mp3")));
  EXPECT_EQ(player.Frequency(), 44100u);
  EXPECT_EQ(player.Position(), 0u);
  const auto start = std::chrono::steady_clock::now();
  player.Play(44100);  // one second in
  EXPECT_GE(player.Position(), 44100u);
  uint32_t position = 0;
  for (int i = 0; i < 200 && (position = player.Position()) < 44100 + 22050; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(position, 44100u + 22050) << "half a second of music never played";
  EXPECT_LE(position, 44100 + uint32_t(seconds * 44100) + 2048);  // the device may run a buffer or two ahead
  EXPECT_GT(player.Spectrum()[10], 0.2f);                         // the 440 Hz tone being heard
  player.SetVolume(0);
  player.Close();
}

// Checks that hold however late the threads run on a loaded machine: a paused position stands still, a jump
// reads its target at once, and the position then moves on from there no faster than time passes.
TEST_F(MusicFiles, APauseHoldsThePositionAndAJumpReadsItsTargetAtOnce) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMusicPlayer player;
  ASSERT_TRUE(player.Init());
  ASSERT_TRUE(player.Load(PathOf("tone.mp3")));
  player.Play(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  player.Pause();
  const uint32_t paused = player.Position();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(player.Position(), paused);

  for (const uint32_t target : {3u * 44100, 44100u}) {  // forward from the pause, then back while playing
    const auto jumped = std::chrono::steady_clock::now();
    player.Seek(target);
    EXPECT_GE(player.Position(), target);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const uint32_t position = player.Position();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - jumped).count();
    EXPECT_GE(position, target);
    EXPECT_LE(position,
              target + uint32_t(seconds * 44100) + 2048);  // the device may run a buffer or two ahead
  }
  player.Close();
}

}  // namespace
