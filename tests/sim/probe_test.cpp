#include <gtest/gtest.h>
#include <cstdio>
#include "arcade/game_state.h"
#include "arcade/state_hash.h"
#include "combat/invaders.h"
#include "planner.h"
#include "sim_session.h"
#include "support/sim_run.h"
TEST(Probe, Runs) {
    for (int i = 0; i < 3; ++i) {
        setenv("SDL_AUDIODRIVER", "none", 1);
        WalkTimer = 20, WalkToggle = 0;
        PlanSettings st; st.frameLimit = 100000;
        BeginPlan(2, st);
        SimSession s; s.plan = true; s.startLevel = 2;
        SimRun run; run.seed = 1; run.frames = 700;
        BeginSimSession(&s);
        RunSim(run);
        BeginSimSession(nullptr);
        std::printf("run %d hash %016llx frames %lld score %d\n", i, (unsigned long long)GameStateHash(), PlanResult().frames, Score);
    }
}
