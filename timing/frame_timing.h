// The rules with numbers in them that time each frame: the timer step, the pull toward the music, the seed a
// frame's random numbers start from, the show's end and the closing fade's level and volume. Plain functions
// of their arguments; the frame driver (show/frame_driver.h) applies them.
#pragma once

#include <cstdint>

// The demo clock at which the show ends by itself.
constexpr double kShowEnd = 236.8;

// The timer step between two readings, never negative.
double TimerStep(double now, double lastReading);

// Seconds of `samples` at `frequency`; 0 when the frequency is unknown.
double MusicSeconds(uint32_t samples, uint32_t frequency);

// Pulls the step a tenth of the way from the demo clock toward the music time, until the clock passes 230 s
// or the music enters its last five seconds; clears musicSync for good at that point.
double MusicCorrectedStep(double step, double demoClock, double musicTime, double musicLength,
                          bool& musicSync);

// The seed of a frame with music: the clock before this frame's advance, in microseconds, cut toward zero.
uint32_t ClockSeed(double demoClock);

// How far the closing fade has gone, 0 ... 1: fadeRate per second of demo clock since endStart, or at once
// complete while the clock still follows the music (or there is none).
double ClosingFadeLevel(double demoClock, double endStart, double fadeRate, bool musicSync);

// The master volume during the closing fade.
int FadeVolume(double level);
