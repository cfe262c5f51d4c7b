#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "desktop/sdl_music_player.h"
#include "tests/music_files.h"

namespace {

// Real playback through SDL's dummy audio driver, which consumes samples at the device rate.
TEST_F(MusicFiles, ThePlayingPositionAdvancesAtThePlaybackRate) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMusicPlayer player;
  ASSERT_TRUE(player.Init());
  ASSERT_TRUE(player.Load(PathOf("tone.mp3")));
  EXPECT_EQ(player.Frequency(), 44100u);
  EXPECT_EQ(player.Position(), 0u);
  player.Play(44100);                                           // one second in
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // past the device's start-up
  const auto start = std::chrono::steady_clock::now();
  const uint32_t from = player.Position();
  EXPECT_GT(from, 44100u);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const uint32_t to = player.Position();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_NEAR((to - from) / seconds, 44100.0, 0.05 * 44100);
  EXPECT_GT(player.Spectrum()[10], 0.2f);  // the 440 Hz tone being heard
  player.SetVolume(0);
  player.Close();
}

TEST_F(MusicFiles, APauseHoldsThePositionAndAJumpReadsItsTargetAtOnce) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SdlMusicPlayer player;
  ASSERT_TRUE(player.Init());
  ASSERT_TRUE(player.Load(PathOf("tone.mp3")));
  player.Play(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  player.Pause();
  const uint32_t paused = player.Position();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(player.Position(), paused);

  player.Seek(3 * 44100);  // from the pause, forward
  EXPECT_GE(player.Position(), 3u * 44100);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_GT(player.Position(), 3u * 44100 + 44100 / 10);
  player.Seek(44100);  // while playing, back: read at once, long before the device has played it
  EXPECT_EQ(player.Position(), 44100u);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_NEAR(player.Position(), 44100 * 1.4, 44100 * 0.15);
  player.Close();
}

}  // namespace
