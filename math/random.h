// The show's one pseudo-random generator.
//
// A 32-bit linear congruential generator (state * 214013 + 2531011, raw value (state >> 16) & 0x7FFF).
// Scenes reseed it with fixed constants before each random layout, and the frame driver reseeds it from the
// demo clock while music plays, so every layout depends on the exact number and order of draws.
//
// Each thread has its own state. A thread that records a part of a frame apart from the drawing thread
// starts the part with `RandomForget`: until the part seeds the generator, the state it would have had is not
// known there, and a draw throws `RandomStateUnknown` (the part is then drawn on the drawing thread).
#pragma once

#include <cstdint>

struct RandomStateUnknown {};

void RandomSeed(uint32_t seed);

// Next raw value, 0 ... 32767.
int RandomRaw();

// Next raw value scaled to [0, 1]; both ends can occur.
double RandomUnit();

// The generator state, for tests that count draws and for handing a state from one thread to another.
uint32_t RandomState();

// Forgets this thread's state until the next seed; whether it is known.
void RandomForget();
bool RandomKnown();
