// Turning to another window pauses play: the exit prompt opens over the
// frozen scene as Escape opens it, coming back answers nothing, and menus
// and the screens between play go on as they were.
#include <gtest/gtest.h>

#include <map>

#include "classic/classic_game.h"
#include "combat/game_over.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "support/sim_run.h"

namespace {

constexpr int VkControl = 162;

void Focus(std::vector<ScriptedKey>& keys, int frame, bool out) {
    keys.push_back({frame, 0, true, out ? ScriptedKind::FocusOut : ScriptedKind::FocusIn});
}

// Arcade mode from the menu, level 1; its title screen runs from about
// frame 52, and ends at the first key after its first second.
void StartArcade(SimRun& run, int pastTitle) {
    Tap(run.keys, 40, VkReturn);
    Tap(run.keys, 50, VkReturn);
    Tap(run.keys, pastTitle, VkReturn);
}

TEST(FocusPause, ArcadePlayStopsAtTheFocusLossUntilThePlayerAnswers) {
    SimRun run;
    run.frames = 330;
    Focus(run.keys, 15, true);  // on the menu: nothing
    Focus(run.keys, 20, false);
    StartArcade(run, 120);
    run.keys.push_back({150, VkRight, true});  // turning while the focus goes
    Focus(run.keys, 200, true);
    Focus(run.keys, 240, false);  // back: the prompt stays
    Tap(run.keys, 280, VkN);
    std::map<long long, int> pulse;
    std::map<long long, float> zoom;
    run.onFrame = [&](long long f) { pulse[f] = BossPulse, zoom[f] = TextZoom; };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_NE(pulse[130], pulse[199]) << "the game never ran";
    EXPECT_EQ(pulse[202], pulse[279]) << "play went on behind the focus loss";
    EXPECT_LT(zoom[230], zoom[202]) << "no prompt was drawn";
    EXPECT_NE(pulse[290], pulse[329]) << "no did not play on";
    EXPECT_FALSE(KeyDown(VkRight)) << "a key let go elsewhere stays held";
    EXPECT_EQ(GameOverState, 0);
    EXPECT_EQ(Lives, 4);
}

TEST(FocusPause, ALossDuringTheTitleScreenPausesThePlayThatFollows) {
    SimRun run;
    run.frames = 260;
    StartArcade(run, 140);
    Focus(run.keys, 80, true);
    Focus(run.keys, 90, false);
    Tap(run.keys, 220, VkN);
    std::map<long long, int> pulse;
    std::map<long long, int> intro;
    run.onFrame = [&](long long f) { pulse[f] = BossPulse, intro[f] = IntroFrames; };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_GT(intro[139], intro[90]) << "the title screen did not go on";
    EXPECT_EQ(pulse[150], pulse[219]) << "play began without the player";
    EXPECT_NE(pulse[230], pulse[259]);
}

void WriteUnlockedSettings() {
    SetDefaultSettings();
    ClassicUnlocked = 1;
    ASSERT_TRUE(SaveSettingsFile(SimDirectory() + "/" + SettingsFileName));
}

// Classic play pauses the same way; a loss during the game-over screen costs
// that screen nothing and the next game does not begin paused.
TEST(FocusPause, ClassicPlayPausesAndTheGameOverScreenIsUntouched) {
    WriteUnlockedSettings();
    SimRun run;
    run.keepSettings = true;
    run.frames = 600;
    Tap(run.keys, 2, VkRight);  // to "classic mode"
    Tap(run.keys, 4, VkReturn);
    Focus(run.keys, 30, true);
    Tap(run.keys, 80, VkN);
    for (int f = 90; f < 330; f += 8) Tap(run.keys, f, VkControl);  // pressed on into the game-over screen
    Focus(run.keys, 300, true);
    Focus(run.keys, 310, false);
    Tap(run.keys, 420, VkSpace);  // ends the game-over screen
    Tap(run.keys, 470, VkRight);
    Tap(run.keys, 480, VkReturn);  // a second game
    std::map<long long, int> bombs;
    long long gameOverFrames = 0;
    run.onFrame = [&](long long f) {
        bombs[f] = BombCooldown;
        if (f == 100) Lives = 1, Frozen = 180;  // the last base goes
        if (Lives == 0 && !BaseBitsList.empty()) ++gameOverFrames;
    };
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_EQ(bombs[32], bombs[79]) << "classic play went on behind the focus loss";
    EXPECT_NE(bombs[82], bombs[99]);
    EXPECT_GT(gameOverFrames, 120) << "the game-over screen was cut short";
    EXPECT_NE(bombs[520], bombs[560]) << "the second game began paused";
    EXPECT_EQ(GameOverState, 0);
    EXPECT_EQ(LastGameMode, 1);
}

}  // namespace
