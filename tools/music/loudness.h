// Loudness and peak measurements of a stereo mix, after ITU-R BS.1770 as EBU R128 uses it: K-weighting,
// 400 ms blocks every 100 ms, the absolute gate at -70 LUFS and the relative gate 10 LU below; and the true
// peak, read between the samples through 4x oversampling.
#pragma once

#include <span>
#include <vector>

constexpr double kSilentLoudness = -70.0;  // the absolute gate

// Integrated loudness in LUFS of interleaved stereo at kMusicRate; kSilentLoudness when nothing passes
// the gates.
double IntegratedLoudness(std::span<const float> stereo);

// For each frame, the highest magnitude of either channel at the frame and at the three points a quarter,
// a half and three quarters of a frame after it, as a band-limited interpolation reconstructs them.
std::vector<float> TruePeakLevels(std::span<const float> stereo);

// The highest of TruePeakLevels (linear, 1 = full scale).
double TruePeak(std::span<const float> stereo);
