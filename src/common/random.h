// The one random generator of the program. Seeded once at start-up (with the
// clock in the game, with --seed in the simulator), so a run is repeatable.
#pragma once

#include <cstdint>

void SeedRandom(uint32_t seed);

// Uniform integer in [a, b], inclusive; a > b is read as [b, a].
int Rand(int a, int b);

// Uniform float in [a, b].
float Rnd(float a, float b);

// The generator's whole state as a hash, for replays and tests.
uint64_t RandomStateHash();
