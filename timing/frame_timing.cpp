#include "timing/frame_timing.h"

#include <algorithm>

namespace {

constexpr double kSyncStop = 230.0;
constexpr double kSyncTail = 5.0;

}  // namespace

double TimerStep(double now, double lastReading) {
  return std::max(now - lastReading, 0.0);
}

double MusicSeconds(uint32_t samples, uint32_t frequency) {
  return frequency == 0 ? 0.0 : double(samples) / double(frequency);
}

double MusicCorrectedStep(double step, double demoClock, double musicTime, double musicLength,
                          bool& musicSync) {
  if (musicLength - kSyncTail < musicTime) musicSync = false;
  const double correction = demoClock > kSyncStop ? 0.0 : (musicTime - demoClock) * double(0.1f);
  return musicSync ? step + correction : step;
}

uint32_t ClockSeed(double demoClock) {
  return static_cast<uint32_t>(static_cast<int32_t>(demoClock * 1000000.0));
}

double ClosingFadeLevel(double demoClock, double endStart, double fadeRate, bool musicSync) {
  if (musicSync) return 1.0;
  return std::clamp((demoClock - endStart) * fadeRate, 0.0, 1.0);
}

int FadeVolume(double level) {
  return static_cast<int>(255.0 - 255.0 * level);
}
