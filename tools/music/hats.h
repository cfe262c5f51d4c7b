// Our own hi-hat voice, made as analogue drum machines make theirs: white noise band-passed within 7 to
// 12 kHz and centred on the show's hat bin (9.9 kHz), under an exponential decay, short for a closed hat and
// long for an open one, which the next hit chokes. Noise has no pitch, so the hats feed that bin without
// the tonal line a sine would draw; each hit is the best seen of a few takes of noise, so that the bin
// crosses the pictures' threshold on every hit, not just on average.
#pragma once

#include <vector>

#include "tools/music/score.h"

// Adds the hits to interleaved stereo at kMusicRate, in the middle of the stereo picture; `level` is
// the peak of the decay envelope at velocity 127. The same hits give the same samples on every run.
void MixHats(const std::vector<HatHit>& hats, double level, std::vector<float>& stereo);
