// The options end to end: a player changes the name and the glow through the
// screens, leaves through the exit prompt, and finds both again next start.
#include <gtest/gtest.h>

#include "game/settings.h"
#include "glow/glow.h"
#include "support/sim_run.h"
#include "ui/screen.h"

namespace {

TEST(OptionsRoundTrip, NameAndGlowChangedOnScreenComeBackNextStart) {
    SimRun first;
    first.frames = 400;
    int f = 5;
    auto tap = [&](int key) {
        Tap(first.keys, f, key);
        f += 4;
    };
    tap(VkTab);  // options
    for (int i = 0; i < 5; ++i) tap(VkDown);
    tap(VkReturn);  // "change playername from: ..."
    for (int i = 0; i < 8; ++i) tap(VkBackspace);
    tap('A');
    tap('B');
    tap('1');
    tap(VkReturn);
    for (int i = 0; i < 3; ++i) tap(VkDown);
    tap(VkReturn);  // "adjust amount of glow"
    tap(VkRight);
    tap(VkReturn);
    tap(VkEscape);  // back to the menu
    tap(VkEscape);  // exit prompt
    tap(VkY);
    ASSERT_EQ(RunSim(first), 0);
    EXPECT_EQ(PlayerName, "AB1");
    EXPECT_EQ(GlowAmount, 1);

    PlayerName = "changed";
    GlowAmount = -2;
    SimRun second;
    second.frames = 3;
    second.keepSettings = true;
    std::string seenName;
    int seenGlow = 99, seenWidth = 0;
    second.onFrame = [&](long long) {
        seenName = PlayerName;
        seenGlow = GlowAmount;
        seenWidth = LineWidth20;
    };
    ASSERT_EQ(RunSim(second), 0);
    EXPECT_EQ(seenName, "AB1");
    EXPECT_EQ(seenGlow, 1);
    EXPECT_EQ(seenWidth, 22);  // drawn with the stored glow from the first frame
}

// Presses held as long as a player's: the "y" that answers the question for
// 300 ms and a 100 ms tap of each key. Every press sets one function; a key
// pressed again may set another.
TEST(OptionsRoundTrip, RedefiningKeysTakesEachPressOnce) {
    SimRun run;
    run.frames = 260;
    int f = 5;
    auto hold = [&](int key, int frames) {
        run.keys.push_back({f, key, true});
        run.keys.push_back({f + frames, key, false});
        f += frames + 10;
    };
    hold(VkTab, 1);  // options
    for (int i = 0; i < 6; ++i) hold(VkDown, 1);
    hold(VkReturn, 1);  // "redefine keys"
    hold(VkY, 18);
    hold(VkLeft, 6);
    hold('A', 6);
    hold('S', 6);
    hold(VkLeft, 6);
    hold(VkN, 1);
    hold(VkEscape, 1);
    hold(VkEscape, 1);
    hold(VkY, 1);
    ASSERT_EQ(RunSim(run), 0);
    EXPECT_EQ(KeyLeft, VkLeft);
    EXPECT_EQ(KeyRight, 'A');
    EXPECT_EQ(KeyFire, 'S');
    EXPECT_EQ(KeyShield, VkLeft);
}

}  // namespace
