// Releasing a wave of invaders from a level's formation.
#pragma once

// Appends one wave of the given formation (1..101) to EnemiesList: one id,
// one start angle and one direction for the whole wave, and the level's
// carriers (PickupCarriers of them) chosen among the new invaders. Also
// restarts the UFO timer. A formation outside 1..101 releases nothing.
void SpawnWave(int level);
