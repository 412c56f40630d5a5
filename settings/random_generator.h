#pragma once
#include <cstdint>

// The process's pseudo-random generator, used for picking models. Our own linear congruential
// generator so that a seed gives the same picks whatever C runtime the program is built with.
// Touched by one thread at a time: the window thread while it loads the settings, afterwards
// only the render thread.

void SeedRandom(uint32_t seed);

// Next value, 0 to 32767.
int32_t NextRandom();
