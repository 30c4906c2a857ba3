// The invader formations every wave is released from: 101 formations of six
// rings of 28 cells (see formation_text.h for the layout), built in, or taken
// from a "waves.dat" beside the game.
#pragma once

#include <cstddef>
#include <cstdint>

#include "combat/formation_text.h"

extern uint8_t WaveFormations[FormationTableSize];

// Start-up: the built-in table, replaced by the first FormationTableSize
// bytes of "waves.dat" from the working directory when that file opens, is
// at least that long, and they are acceptable.
void LoadWaveFormations();

// Takes the bytes of a "waves.dat" in place of the table. Accepted only when
// it is exactly FormationTableSize bytes and every cell is 0 to 5 (a larger
// value has no invader to show); otherwise the table stays as it was and the
// result is false.
bool LoadWaveFormationsFromBytes(const uint8_t* data, size_t size);

// Kind 0..5 in a cell of the current table; 0 for a formation, ring or cell
// out of range.
int FormationCell(int formation, int ring, int cell);

// Invaders in one formation of the current table.
int FormationInvaderCount(int formation);
