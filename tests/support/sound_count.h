// Counts how often effects are played, on SDL's dummy audio driver: every
// play of a sound ends exactly once on its own channel (it runs out, is cut
// by the next play of the same sound, or is halted by the count).
#pragma once

#include <string_view>

// Opens the dummy device, loads every sound and starts counting; false when
// there is no audio at all.
bool StartSoundCount();
// Plays of the named sound since StartSoundCount (halts it to count the one
// still playing).
int SoundPlays(std::string_view name);
void StopSoundCount();
