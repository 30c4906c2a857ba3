// The FPS counter, shown in play while ShowFps = 1 (F12 on the options screen).
#pragma once

// Counts frames for the FPS counter and draws it while ShowFps = 1.
void CountAndShowFps();
