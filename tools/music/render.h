// Offline rendering of a score through FluidSynth and our hat voice, and the master stage (fade, loudness,
// true-peak limiting).
#pragma once

#include <string>
#include <vector>

#include "tools/music/score.h"

// Plays `score` on the General MIDI instruments of `soundfont`, with its hat hits on our own voice, and
// returns the first `frames` frames as interleaved stereo at kMusicRate. Single-threaded and free of
// clocks, so the samples are the same on every run. Throws std::runtime_error when the soundfont cannot be
// loaded or lacks a preset the score asks for.
std::vector<float> RenderScore(const Score& score, const std::string& soundfont, long long frames);

// The master stage: removes any DC offset, applies the score's closing fade (silence after it), lifts the
// bass with a low shelf, and sets the gain so that the mix measures `loudness` (LUFS, integrated) with its
// true peaks limited to `ceiling` (linear) by a look-ahead limiter. Returns the gain given to the material
// the limiter leaves alone (1 when all is silent).
double MasterMix(std::vector<float>& stereo, const Score& score, double loudness, double ceiling);
