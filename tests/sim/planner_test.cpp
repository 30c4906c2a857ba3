// The planning player on a sample of levels, one of each kind of ending:
// it must complete them from a new game's lives. The whole hundred is
// make levels-report's job.
#include <gtest/gtest.h>

#include <cstdlib>

#include "combat/invaders.h"
#include "planner.h"
#include "sim_session.h"
#include "support/sim_run.h"

namespace {

PlanOutcome Plan(int level, long long seed, long long frameLimit) {
    // Copies of the program are forked mid-frame: no audio thread may hold a lock then.
    setenv("SDL_AUDIODRIVER", "none", 1);
    // The march's beat is the one thing start-up leaves as an earlier run in this process left it.
    WalkTimer = 20, WalkToggle = 0;
    PlanSettings settings;
    settings.frameLimit = frameLimit;
    BeginPlan(level, settings);
    SimSession session;
    session.plan = true;
    session.startLevel = level;
    SimRun run;
    run.seed = seed;
    run.frames = -1;  // the planner ends the run; a copy must never meet a limit of the platform's
    BeginSimSession(&session);
    EXPECT_EQ(RunSim(run), 0);
    BeginSimSession(nullptr);
    return PlanResult();
}

#if defined(__SANITIZE_ADDRESS__)
// Several times slower under the sanitizers: the shortest level only.
const int Sample[] = {14};
#else
// A saucer level, a big Earth, a shot through the one hole in two unbreakable
// walls, and a plain wave.
const int Sample[] = {14, 23, 45, 1};
#endif

TEST(Planner, CompletesASampleOfLevels) {
    for (int level : Sample) {
        const PlanOutcome p = Plan(level, 3, 20000);
        EXPECT_TRUE(p.completed) << "level " << level;
        EXPECT_EQ(p.level, level);
        EXPECT_GT(p.frames, 0) << "level " << level;
        EXPECT_GT(p.shotsFired, 0) << "level " << level;
    }
}

TEST(Planner, StopsAtItsFrameLimitWithTheLevelNotCompleted) {
    const PlanOutcome p = Plan(2, 1, 300);
    EXPECT_FALSE(p.completed);
    EXPECT_EQ(p.frames, 300);
    EXPECT_EQ(p.livesLost, 0);
}

}  // namespace
