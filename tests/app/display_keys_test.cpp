// F11 and Alt+Enter switch between window and full screen wherever the
// player is, and are nothing else: not Enter on the menu, not a shield in play.
#include <gtest/gtest.h>

#include <map>

#include "combat/invaders.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "support/sim_run.h"

namespace {

constexpr int VkLeftAlt = 164;

// Enter `after` frames behind Alt: 0 in one frame, as a quick hand or a
// tool sends them, more as a person does.
void AltEnter(std::vector<ScriptedKey>& keys, int frame, int after) {
    keys.push_back({frame, VkLeftAlt, true});
    keys.push_back({frame + after, VkReturn, true});
    keys.push_back({frame + after + 2, VkReturn, false});
    keys.push_back({frame + after + 3, VkLeftAlt, false});
}

TEST(DisplayKeys, F11AndAltEnterSwitchTheDisplayOnTheMenuAndInPlay) {
    SimRun run;
    run.frames = 330;
    Tap(run.keys, 3, VkF11);
    AltEnter(run.keys, 10, 0);  // on the menu's "arcade mode": Enter would start a game
    Tap(run.keys, 40, VkReturn);
    Tap(run.keys, 50, VkReturn);
    Tap(run.keys, 120, VkReturn);  // past the level's title screen
    AltEnter(run.keys, 266, 4);    // Alt is the shield key: up for four frames
    Tap(run.keys, 300, VkF11);
    std::map<long long, int> fullScreen, lives;
    run.onFrame = [&](long long frame) {
        if (frame == 0) Lives = 0;  // a game started from the menu sets 4
        fullScreen[frame] = FullScreen;
        lives[frame] = Lives;
    };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_EQ(fullScreen[2], 0);
    EXPECT_EQ(fullScreen[3], 1);
    EXPECT_EQ(fullScreen[10], 0);
    EXPECT_EQ(lives[39], 0) << "Alt+Enter acted as Enter on the menu";
    EXPECT_EQ(fullScreen[270], 1);
    EXPECT_EQ(fullScreen[300], 0);
    ASSERT_EQ(lives[329], 4) << "the game did not run";
    EXPECT_FALSE(EnemiesList.empty());
    EXPECT_EQ(Shields, 5) << "the Alt of Alt+Enter raised a shield";
    EXPECT_EQ(BaseShieldLook, 0);
    EXPECT_EQ(ScreenWidth, 1024);  // the size stays through every switch
}

}  // namespace
