#include "platform/pacing_rules.h"

#include "platform/platform.h"

namespace {

constexpr auto FramePeriod = std::chrono::nanoseconds(1'000'000'000 / 60);

}  // namespace

bool RefreshRateSuitsVsync(int hz) { return hz >= 59 && hz <= 61; }

VsyncVerdict WatchVsyncFrame(VsyncTrial& trial, double intervalMs) {
    if (trial.frames >= VsyncTrialFrames) return VsyncVerdict::Watching;
    trial.totalMs += intervalMs;
    if (++trial.frames < VsyncTrialFrames) return VsyncVerdict::Watching;
    const double mean = trial.totalMs / VsyncTrialFrames;
    return mean < 15.5 || mean > 18.0 ? VsyncVerdict::Fails : VsyncVerdict::Holds;
}

bool SwapDidNotWait(double sinceLastMs) { return sinceLastMs < FramePeriodMs * 0.75; }

PacingClock::time_point NextDeadline(bool deadlineSet, PacingClock::time_point deadline,
                                     PacingClock::time_point now) {
    if (!deadlineSet || now > deadline + 4 * FramePeriod) deadline = now;
    return deadline + FramePeriod;
}
