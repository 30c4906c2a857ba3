#include "platform/pacing_rules.h"

#include <gtest/gtest.h>

using std::chrono::milliseconds;

namespace {

VsyncVerdict RunTrial(double intervalMs) {
    VsyncTrial trial;
    VsyncVerdict verdict = VsyncVerdict::Watching;
    for (int i = 0; i < VsyncTrialFrames; ++i) {
        EXPECT_EQ(verdict, VsyncVerdict::Watching) << "a verdict before the trial's last frame";
        verdict = WatchVsyncFrame(trial, intervalMs);
    }
    // Once given, the verdict is not given again.
    EXPECT_EQ(WatchVsyncFrame(trial, intervalMs), VsyncVerdict::Watching);
    return verdict;
}

}  // namespace

TEST(PacingRules, VsyncIsTrustedOnlyWhereItHoldsSixtyFrames) {
    EXPECT_EQ(RunTrial(16.7), VsyncVerdict::Holds);
    EXPECT_EQ(RunTrial(2.0), VsyncVerdict::Fails);   // the driver ignored the swap interval
    EXPECT_EQ(RunTrial(33.3), VsyncVerdict::Fails);  // a monitor at 30 Hz, or a machine too slow
    EXPECT_TRUE(RefreshRateSuitsVsync(60));
    EXPECT_FALSE(RefreshRateSuitsVsync(75));
    EXPECT_FALSE(RefreshRateSuitsVsync(0));  // unknown
    EXPECT_TRUE(SwapDidNotWait(3.0));
    EXPECT_FALSE(SwapDidNotWait(16.0));
}

TEST(PacingRules, ALateFrameIsCaughtUpButALongStallStartsAfresh) {
    const PacingClock::time_point t0{};
    const auto period = std::chrono::nanoseconds(1'000'000'000 / 60);
    EXPECT_EQ(NextDeadline(false, t0, t0 + milliseconds(500)), t0 + milliseconds(500) + period);
    // 30 ms late: the deadline keeps its beat, so the next frames come sooner.
    EXPECT_EQ(NextDeadline(true, t0, t0 + milliseconds(30)), t0 + period);
    // A second's stall: no race of sixty frames to make it up.
    EXPECT_EQ(NextDeadline(true, t0, t0 + milliseconds(1000)), t0 + milliseconds(1000) + period);
}
