// The classic mode through the whole program: a settings file that has it
// unlocked, the menu entry, a stretch of play, and the way out through the
// exit prompt back to the menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_menu.h"
#include "classic/classic_game.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "online/score_sync.h"
#include "support/sim_run.h"

namespace {

constexpr int VkControl = 162;

void WriteUnlockedSettings() {
    SetDefaultSettings();
    ClassicUnlocked = 1;
    ASSERT_TRUE(SaveSettingsFile(SimDirectory() + "/" + SettingsFileName));
}

TEST(ClassicSim, PlaysAWaveAndQuitsThroughThePrompt) {
    WriteUnlockedSettings();
    SimRun run;
    run.keepSettings = true;
    run.frames = 900;
    Tap(run.keys, 2, VkRight);   // to "classic mode"
    Tap(run.keys, 4, VkReturn);  // and in
    // Into the gap between the first two bunkers, then fire at will.
    run.keys.push_back({10, VkRight, true});
    run.keys.push_back({40, VkRight, false});
    for (int f = 45; f < 640; f += 4) Tap(run.keys, f, VkControl);
    Tap(run.keys, 700, VkEscape);
    Tap(run.keys, 720, VkY);

    size_t mostShots = 0, fewestInvaders = 55;
    int scoreInPlay = 0, levelInPlay = 0;
    long long lastInPlay = -1;
    run.onFrame = [&](long long f) {
        if (BaseBitsList.empty()) return;  // not in the game
        lastInPlay = f;
        mostShots = std::max(mostShots, PlayerBulletsList.size());
        fewestInvaders = std::min(fewestInvaders, EnemiesList.size());
        scoreInPlay = Score;
        levelInPlay = ClassicLevel;
    };
    BaseBitsList.clear();
    EXPECT_EQ(RunSim(run), 0);

    EXPECT_GT(lastInPlay, 700) << "still in the game when Escape came";
    EXPECT_LT(lastInPlay, 740) << "and out of it once the prompt was answered";
    EXPECT_EQ(mostShots, 2u);
    EXPECT_LT(fewestInvaders, 55u) << "the shots found the formation";
    EXPECT_GT(scoreInPlay, 0);
    EXPECT_EQ(LastGameMode, 1);
    EXPECT_EQ(LastScore, scoreInPlay);
    EXPECT_EQ(LastLevel, levelInPlay);
    EXPECT_EQ(LastLevelText, "CLA-00" + std::to_string(levelInPlay));
    EXPECT_EQ(MenuItem, 0) << "back in the menu";
}

}  // namespace
