#include <gtest/gtest.h>

#include <map>

#include "app/main_menu.h"
#include "game/game_state.h"
#include "support/sim_run.h"
#include "ui/yes_no_prompt.h"

namespace {

TEST(MainMenu, LogoGrowsUprightInThirtyFourFrames) {
    std::map<long long, std::pair<float, int>> logo;
    SimRun run;
    run.frames = 40;
    run.onFrame = [&](long long f) { logo[f] = {LogoScale, LogoSpin}; };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_LT(logo[0].first, 0.1f);
    EXPECT_EQ(logo[0].second, 330);
    EXPECT_LT(logo[32].first, 1.0f);
    EXPECT_FLOAT_EQ(logo[33].first, 1.0f);
    EXPECT_EQ(logo[33].second, 0);
    EXPECT_EQ(logo[39].second, 0);
}

TEST(MainMenu, ArrowsWrapAroundTheSixEntries) {
    std::map<long long, int> item;
    SimRun run;
    run.frames = 12;
    Tap(run.keys, 2, VkLeft);   // from arcade mode back to exit game
    Tap(run.keys, 5, VkRight);  // and forwards again to arcade mode
    Tap(run.keys, 8, VkRight);
    run.onFrame = [&](long long f) { item[f] = MenuItem; };
    RunSim(run);
    EXPECT_EQ(item[1], 0);
    EXPECT_EQ(item[2], 5);
    EXPECT_EQ(item[5], 0);
    EXPECT_EQ(item[8], 1);
}

TEST(MainMenu, ExitPromptYesLeavesTheProgram) {
    SimRun run;
    run.frames = 1000;
    Tap(run.keys, 3, VkEscape);
    Tap(run.keys, 10, VkY);
    long long last = 0;
    run.onFrame = [&](long long f) { last = f; };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_EQ(last, 9);  // the answer is read right after the frame it came in
    EXPECT_EQ(GameOverState, 1);
}

TEST(MainMenu, ExitPromptAnswersNoWhenBothComeInOneFrameOrOnEscape) {
    for (int noKey : {VkN, VkEscape, VkRight}) {
        SimRun run;
        run.frames = 60;
        Tap(run.keys, 3, VkEscape);
        Tap(run.keys, 10, VkLeft);  // yes ...
        Tap(run.keys, 10, noKey);   // ... and no in the same frame
        long long last = 0;
        run.onFrame = [&](long long f) { last = f; };
        RunSim(run);
        EXPECT_EQ(last, 59) << "key " << noKey;  // still running when the frame limit ends it
        EXPECT_EQ(GameOverState, 0) << "key " << noKey;
    }
}

TEST(MainMenu, LockedClassicModeShowsTheNoticeAndReturns) {
    std::map<long long, int> item;
    std::map<long long, int> state;
    SimRun run;
    run.frames = 30;
    Tap(run.keys, 2, VkRight);
    Tap(run.keys, 4, VkReturn);   // the notice
    Tap(run.keys, 10, VkEscape);  // back to the menu
    run.onFrame = [&](long long f) {
        item[f] = MenuItem;
        state[f] = GameOverState;
    };
    RunSim(run);
    EXPECT_EQ(item[8], 1);
    EXPECT_EQ(item[20], 1);
    EXPECT_EQ(state[20], 0);
    EXPECT_EQ(Score, 0);
}

}  // namespace
