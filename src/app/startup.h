// Program start-up and shutdown, shared by the game and the simulator.
#pragma once

#include "platform/platform.h"

// The backdrop behind every screen, drawn while BackgroundOn = 1.
extern Picture* BackdropImage;

// Opens the display for ScreenWidth x ScreenHeight and FullScreen, with the
// play area at (OffsetX, OffsetY). When the platform cannot open that mode the
// previous mode stays and the settings are put back to it; false then.
bool ReopenDisplay();

// Runs the whole program on the given platform: start-up, the menu, the
// orderly end. seed < 0 seeds the random generator with the clock. Without
// saveSettings the settings file is read but never written.
// Returns the exit code (0, or 1 when no display could be had).
int RunOrbivore(const PlatformOptions& options, long long seed = -1, bool saveSettings = true);
