// One number for the whole state of an arcade game: the shared globals, the
// combat state and every entity list, with the random generator's state.
// Two runs that reach the same number played the same game (replays).
#pragma once

#include <cstdint>

uint64_t GameStateHash();

// Every finite-number and size rule a running game keeps; "" when all hold,
// else the first one broken, e.g. "EarthRadius is not finite".
const char* BrokenGameInvariant();
