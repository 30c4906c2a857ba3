// Every level played by the bot from its start, headless, with the game's
// invariants checked after every frame. By default a few hundred frames of
// play a level; ORBIVORE_LONG_FRAMES asks for more (the "long" run).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "arcade/state_hash.h"
#include "game/game_state.h"
#include "sim_session.h"
#include "support/sim_run.h"

namespace {

long long PlayFramesPerLevel() {
    const char* text = std::getenv("ORBIVORE_LONG_FRAMES");
    const long long n = text ? std::atoll(text) : 0;
    return n > 0 ? n : 300;
}

class LongRun : public testing::TestWithParam<int> {};

TEST_P(LongRun, TheBotPlaysTheLevelAndEveryFrameKeepsTheRules) {
    const int level = GetParam();
    const long long wanted = PlayFramesPerLevel();
    SimSession session;
    session.bot = true;
    session.startLevel = level;
    SimRun run;
    run.seed = level;
    // The menu, the level select and the title take a few hundred frames.
    run.frames = wanted + 1500;
    long long played = 0;
    int lastPulse = -1;
    std::string broken;
    run.onFrame = [&](long long frame) {
        const std::string why = BrokenGameInvariant();
        if (!why.empty() && broken.empty()) broken = "frame " + std::to_string(frame) + ": " + why;
        // The overlord's pulse moves once a frame of play and never elsewhere.
        const bool playing = lastPulse >= 0 && BossPulse != lastPulse && GameOverState == 0;
        lastPulse = BossPulse;
        if (playing && ++played >= wanted) throw ProgramQuit{};
    };
    BeginSimSession(&session);
    EXPECT_EQ(RunSim(run), 0);
    BeginSimSession(nullptr);
    EXPECT_EQ(broken, "");
    EXPECT_GE(StartLevel, level) << "the level select never offered level " << level;
    // The level completed, cost lives, or is still running; all three are
    // sound, but it must have been played.
    EXPECT_GT(played, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, LongRun, testing::Range(1, 101));

}  // namespace
