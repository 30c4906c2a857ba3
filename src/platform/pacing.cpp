// Holding the real window to 60 frames a second. Where the monitor runs at
// 60 Hz the driver's vertical sync paces the frames, so nothing tears; where
// it runs at another rate, or vsync does not actually hold 60 Hz (some drivers
// accept the swap interval and ignore it), frames are paced here with a
// high-resolution sleep, never a busy loop.
#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/pacing_rules.h"
#include "platform/platform_internal.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto FramePeriod = std::chrono::nanoseconds(1'000'000'000 / 60);

double MsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

int DisplayRefreshRate(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate;
}

void SleepUntil(Clock::time_point deadline) {
    // sleep_until rests on the kernel's high-resolution timers: the wake-up
    // lands within a few dozen microseconds without spinning.
    std::this_thread::sleep_until(deadline);
}

// Vsync: the swap waits for the monitor, so the frame's work ends before it.
void PresentVsyncFrame(PlatformState& p) {
    PacingState& s = p.pacing;
    const double beforeSwap = s.frameStarted ? MsSince(s.frameStart) : 0;
    SDL_GL_SwapWindow(p.window);
    s.shownAt = Clock::now();
    s.workMs = beforeSwap;
    // Watch the first frames: a driver that ignored the request shows
    // them far faster than 60 Hz, one that cannot keep up far slower;
    // either way pacing comes back here.
    const double sinceLast = s.frameStarted ? MsSince(s.frameStart) : FramePeriodMs;
    if (s.frameStarted && WatchVsyncFrame(s.trial, sinceLast) == VsyncVerdict::Fails) {
        SDL_GL_SetSwapInterval(0);
        s.vsync = false;
    }
    // The game must not run fast while the swap does not wait.
    if (s.frameStarted && SwapDidNotWait(sinceLast)) SleepUntil(s.frameStart + FramePeriod);
    s.frameStart = Clock::now();
    s.frameStarted = true;
}

// Software pacing: the frame is finished first and shown when it is due,
// so it appears on the deadline (plus a copy of steady length) rather than
// wherever its work happened to end, and the intervals stay even.
void PresentPacedFrame(PlatformState& p) {
    PacingState& s = p.pacing;
    glFinish();
    // The work since the last swap began: that swap, this frame's making,
    // and the rasterizer finishing it.
    if (s.frameStarted) s.workMs = MsSince(s.frameStart);
    s.deadline = NextDeadline(s.deadlineSet, s.deadline, Clock::now());
    s.deadlineSet = true;
    SleepUntil(s.deadline);
    s.frameStart = Clock::now();
    s.frameStarted = true;
    SDL_GL_SwapWindow(p.window);
    s.shownAt = Clock::now();
}

}  // namespace

void ChooseSwapInterval(PlatformState& p) {
    p.pacing = PacingState{};
    if (!p.window || IsHeadless()) return;
    const int hz = DisplayRefreshRate(p.window);
    if (!RefreshRateSuitsVsync(hz)) {
        SDL_GL_SetSwapInterval(0);
        return;
    }
    // Adaptive vsync lets a late frame show at once instead of waiting a
    // whole extra period; plain vsync where the driver lacks it.
    p.pacing.vsync = SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
    if (!p.pacing.vsync) SDL_GL_SetSwapInterval(0);
}

void PresentRealFrame(PlatformState& p) {
    // A frame on which vsync is found not to hold is shown already;
    // software pacing takes over from the next.
    if (p.pacing.vsync)
        PresentVsyncFrame(p);
    else
        PresentPacedFrame(p);
}

double FrameWorkMs() { return IsHeadless() ? 0.0 : Platform().pacing.workMs; }

double FrameShownMs() {
    const PacingState& s = Platform().pacing;
    if (IsHeadless() || s.shownAt == Clock::time_point{}) return 0;
    return std::chrono::duration<double, std::milli>(s.shownAt.time_since_epoch()).count();
}

bool VsyncPacing() { return Platform().pacing.vsync; }
