// The options end to end: a player changes the name and the glow through the
// screens, leaves through the exit prompt, and finds both again next start.
#include <gtest/gtest.h>

#include "settings/settings.h"
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
    int seenGlow = 99;
    second.onFrame = [&](long long) {
        seenName = PlayerName;
        seenGlow = GlowAmount;
    };
    ASSERT_EQ(RunSim(second), 0);
    EXPECT_EQ(seenName, "AB1");
    EXPECT_EQ(seenGlow, 1);
}

}  // namespace
