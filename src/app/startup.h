// Program start-up and shutdown, shared by the game and the simulator.
#pragma once

#include "platform/platform.h"

// Runs the whole program on the given platform: start-up, the menu, the
// orderly end. seed < 0 seeds the random generator with the clock. Without
// saveSettings the settings file is read but never written.
// Returns the exit code (0, or 1 when no display could be had).
int RunOrbivore(const PlatformOptions& options, long long seed = -1, bool saveSettings = true);
