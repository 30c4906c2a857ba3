// The decisions of the real window's pacing, apart from the clock and the
// driver, so they can be checked on their own (pacing.cpp applies them).
#pragma once

#include <chrono>

// Vsync is asked for only where the monitor runs at 60 Hz.
bool RefreshRateSuitsVsync(int hz);

// The first frames after vsync is switched on are watched before it is
// trusted: a driver that ignored the request shows them far faster than
// 60 Hz, one that cannot keep up far slower.
constexpr int VsyncTrialFrames = 90;
enum class VsyncVerdict { Watching, Holds, Fails };
struct VsyncTrial {
    int frames = 0;
    double totalMs = 0;
};
// Adds one frame's interval; the verdict comes with the last trial frame,
// and stays Watching before it and after it.
VsyncVerdict WatchVsyncFrame(VsyncTrial& trial, double intervalMs);

// The swap came back far sooner than a monitor's period: it did not wait,
// and the period must be waited out by hand.
bool SwapDidNotWait(double sinceLastMs);

// Software pacing keeps one deadline every 1/60 s: a frame that overran a
// little is caught up by the next ones, but after a long stall (a window
// drag, a slow machine) the deadline starts afresh from now instead of racing.
using PacingClock = std::chrono::steady_clock;
PacingClock::time_point NextDeadline(bool deadlineSet, PacingClock::time_point deadline,
                                     PacingClock::time_point now);
