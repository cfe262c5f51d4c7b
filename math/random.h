// The show's one pseudo-random generator.
//
// A 32-bit linear congruential generator (state * 214013 + 2531011, raw value (state >> 16) & 0x7FFF).
// Scenes reseed it with fixed constants before each random layout, and the frame driver reseeds it from the
// demo clock while music plays, so every layout depends on the exact number and order of draws.
#pragma once

#include <cstdint>

void RandomSeed(uint32_t seed);

// Next raw value, 0 ... 32767.
int RandomRaw();

// Next raw value scaled to [0, 1]; both ends can occur.
double RandomUnit();

// The generator state, for tests that count draws.
uint32_t RandomState();
