#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "desktop/sdl_music_player.h"
#include "render/call_log.h"
#include "show/frame_driver.h"
#include "tests/music_files.h"
#include "timing/frame_timing.h"

namespace {

int64_t gNowNanoseconds = 0;
int64_t ScriptedCounter() {
  return gNowNanoseconds;
}

// A player on SDL's dummy driver whose device is taken away the way SDL reports it, and for which, when
// asked, no other device opens.
class PlayerLosingItsDevice : public SdlMusicPlayer {
 public:
  using SdlMusicPlayer::SdlMusicPlayer;

  // Pushes SDL's removal event for the open device and hands it over as the live show does.
  DeviceLoss TakeDeviceAway() {
    SDL_Event removed{};
    removed.type = SDL_AUDIODEVICEREMOVED;
    removed.adevice.which = device;
    SDL_PushEvent(&removed);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (event.type == SDL_AUDIODEVICEREMOVED) return HandleDeviceRemoved(event.adevice.which);
    }
    return DeviceLoss::NotOurs;
  }

  bool noOtherDevice = false;
  SDL_AudioDeviceID device = 0;  // the one opened last

 protected:
  SDL_AudioDeviceID OpenDevice() override {
    if (device != 0 && noOtherDevice) return 0;
    return device = SdlMusicPlayer::OpenDevice();
  }
};

class NoHost : public FrameHost {
 public:
  void CopyTextToClipboard(const std::string&) override {}
  void CloseMainWindow() override {}
};

class SoundDeviceLoss : public MusicFiles {
 protected:
  void SetUp() override {
    MusicFiles::SetUp();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    gNowNanoseconds = 0;
  }
};

TEST_F(SoundDeviceLoss, TheDefaultDeviceTakesOverAndTheMusicPlaysOnFromTheSameSample) {
  PlayerLosingItsDevice player;
  ASSERT_TRUE(player.Init());
  ASSERT_TRUE(player.Load(PathOf("tone.mp3")));
  player.Play(44100);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(player.HandleDeviceRemoved(player.device + 1), DeviceLoss::NotOurs);

  const uint32_t before = player.Position();
  ASSERT_EQ(player.TakeDeviceAway(), DeviceLoss::Reopened);
  const uint32_t after = player.Position();
  EXPECT_GE(after, before);
  EXPECT_LT(after, before + 44100 / 4);  // the same place, give or take the lost device's buffer
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_GT(player.Position(), after + 44100 / 2);
  EXPECT_GT(player.Spectrum()[10], 0.2f);  // the 440 Hz tone, heard again
  player.Close();
}

TEST_F(SoundDeviceLoss, WithoutADeviceThePositionRunsOnTheSystemClockToTheMusicsEnd) {
  PlayerLosingItsDevice player(ScriptedCounter);
  player.noOtherDevice = true;
  ASSERT_TRUE(player.Init());
  ASSERT_TRUE(player.Load(PathOf("tone.mp3")));
  player.Play(44100);
  ASSERT_EQ(player.TakeDeviceAway(), DeviceLoss::Silent);
  const uint32_t lostAt = player.Position();
  EXPECT_GE(lostAt, 44100u);
  EXPECT_LT(lostAt, 44100u + 44100 / 4);

  gNowNanoseconds += 1'000'000'000;
  EXPECT_EQ(player.Position(), lostAt + 44100);
  player.Pause();
  gNowNanoseconds += 1'000'000'000;
  EXPECT_EQ(player.Position(), lostAt + 44100);
  player.Seek(2 * 44100);
  gNowNanoseconds += 500'000'000;
  EXPECT_EQ(player.Position(), 2 * 44100 + 44100 / 2);
  EXPECT_GT(player.Spectrum()[10], 0.2f);  // the pictures still follow the music
  gNowNanoseconds += 10'000'000'000;
  EXPECT_EQ(player.Position(), player.Length());
  player.Close();
}

// The frame driver on a scripted clock follows a player whose device goes at 200 s with no other to open: the
// demo clock keeps pace and the show ends on time. (The show's own music, lost before 230 s: up to there the
// clock follows the music's position, which a stalled player would hold back for good.)
TEST_F(SoundDeviceLoss, AShowWhoseDeviceIsLostReachesItsEnd) {
  if (!std::filesystem::exists(VELMORA_SHOW_MUSIC_FILE))
    GTEST_SKIP() << "no show music: build the show_music target";
  PlayerLosingItsDevice music(ScriptedCounter);
  music.noOtherDevice = true;
  ASSERT_TRUE(music.Init());
  ASSERT_TRUE(music.Load(VELMORA_SHOW_MUSIC_FILE));
  constexpr double kLostAt = 200.0;
  music.Play(uint32_t(kLostAt * 44100));
  ASSERT_EQ(music.TakeDeviceAway(), DeviceLoss::Silent);

  DemoState state;
  state.setup.musicOn = true;
  state.demoClock = kLostAt;
  FrameRecord frame;
  OffscreenTarget target;
  DemoClock clock;
  clock.counter = ScriptedCounter;
  ResetClock(clock);
  NoHost host;
  std::unique_ptr<ShowObject> noShow;
  FrameContext context{state, frame, target, clock, music, host, noShow};
  CallLog gl;
  CallRecording recording(gl);  // no GL here: the frame's few calls are only recorded

  int frames = 0;
  for (; frames < 60 * 60 && RunFrame(context) == FrameOutcome::Continue; ++frames) {
    gNowNanoseconds += 1'000'000'000 / 60;
    gl.Clear();
  }
  EXPECT_NEAR(frames / 60.0, kShowEnd - kLostAt, 0.5);
  music.Close();
}

}  // namespace
