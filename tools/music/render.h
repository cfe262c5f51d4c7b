// Offline rendering of a score through FluidSynth, and the master stage (fade, peak normalisation).
#pragma once

#include <string>
#include <vector>

#include "tools/music/score.h"

// Plays `score` on the General MIDI instruments of `soundfont` and returns the first `frames` frames as
// interleaved stereo at kMusicSampleRate. Single-threaded and free of clocks, so the samples are the same on
// every run. Throws std::runtime_error when the soundfont cannot be loaded or lacks a preset the score asks
// for.
std::vector<float> RenderScore(const Score& score, const std::string& soundfont, long long frames);

// The master stage: removes any DC offset, applies the score's closing fade (silence after it), scales the
// mix so that its highest sample would sit `drive` (a factor, 1 or more) above `peak`, and limits it back to
// `peak`: the loud hits lose up to `drive` for a moment while everything else keeps it. Returns the gain
// given to the material the limiter leaves alone (1 when all is silent).
double MasterMix(std::vector<float>& stereo, const Score& score, double peak, double drive);
