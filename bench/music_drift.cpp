// Plays the music for a while and advances a demo clock at 60 frames per second with the frame driver's rule,
// then prints how far the music position and the demo clock are apart. Run it in the directory that holds
// music/ (the build directory); SDL_AUDIODRIVER chooses the device (dummy works without a sound card).
// Usage: music_drift [SECONDS]   (default 60)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "desktop/sdl_music_player.h"
#include "timing/demo_clock.h"
#include "timing/frame_timing.h"

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
  SdlMusicPlayer music;
  if (!music.Init() || !music.Load(kMusicFile)) {
    std::fprintf(stderr, "music_drift: no sound device, or no %s here\n", kMusicFile);
    return 1;
  }
  DemoClock clock;
  music.Play(0);
  ResetClock(clock);
  double lastReading = ReadClock(clock), demoClock = 0.0, worst = 0.0;
  bool musicSync = true;
  while (demoClock < seconds) {
    std::this_thread::sleep_for(std::chrono::microseconds(16667));
    const double now = ReadClock(clock);
    double step = TimerStep(now, lastReading);
    lastReading = now;
    const uint32_t frequency = music.Frequency();
    const double musicTime = MusicSeconds(music.Position(), frequency);
    step = MusicCorrectedStep(step, demoClock, musicTime, MusicSeconds(music.Length(), frequency), musicSync);
    demoClock += step;
    if (demoClock > 1.0) worst = std::max(worst, std::abs(musicTime - demoClock));
  }
  const double drift = MusicSeconds(music.Position(), music.Frequency()) - demoClock;
  std::printf(
      "after %.1f s: music position - demo clock = %+.4f s (largest gap after the first second %.4f s)\n",
      demoClock, drift, worst);
  music.Close();
  return 0;
}
