#include <gtest/gtest.h>

#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/ufo.h"
#include "common/random.h"
#include "effects/central_pictures.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"

namespace {

class PowerupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(5);
        LoadLevelCombatSettings();
        EnemiesList.clear();
        FlyingTextList.clear();
        ExplosionsList.clear();
        StarsList.clear();
        SoundOn = 0;
        PowerupKind = 0, PowerupTime = 0, PowerupDecay = 1, BaseShieldLook = 0, MaxPlayerShots = 5;
        InvaderMovePattern = 0;
        ResetPatternAfterPowerup = 1;
        UfoState = 0;
        SaucersLeft = 0;
        LevelFreshStart = 0;
        Lives = 3;
        EarthRadius = 20;
    }
    void AddInvaders(int n, int kind = 1) {
        for (int i = 0; i < n; ++i) {
            Enemies e;
            e.Frame = kind;
            e.angle = float(i * 10);
            e.radius = 80;
            EnemiesList.push_back(e);
        }
    }
    int LastCaption() const { return FlyingTextList.empty() ? 0 : FlyingTextList.back().TextIndex; }
};

TEST_F(PowerupsTest, ATimedPowerupReplacesTheRunningOne) {
    ApplyPowerup(1);
    EXPECT_EQ(PowerupKind, 1);
    EXPECT_EQ(MaxPlayerShots, 15);
    ApplyPowerup(4);
    EXPECT_EQ(PowerupKind, 0);
    EXPECT_EQ(BaseShieldLook, 2);
    EXPECT_FLOAT_EQ(PowerupTime, 100);
    EXPECT_FLOAT_EQ(PowerupDecay, 0.2f);
    EXPECT_EQ(MaxPlayerShots, 5);
    ApplyPowerup(5);
    EXPECT_EQ(PowerupKind, 3);
    EXPECT_EQ(BaseShieldLook, 0);
    EXPECT_EQ(MaxPlayerShots, 10);
    EXPECT_EQ(LastCaption(), 5);
}

TEST_F(PowerupsTest, AnInstantOneEndsTheRunningPowerupWithTheNextFrame) {
    ApplyPowerup(2);
    ApplyPowerup(7);
    EXPECT_EQ(Lives, 4);
    EXPECT_EQ(PowerupKind, 0);
    EXPECT_FLOAT_EQ(PowerupTime, 1);
    EXPECT_FLOAT_EQ(PowerupDecay, 1);
    EXPECT_FLOAT_EQ(BurstSize, 0.1f);
    EXPECT_EQ(BurstAtBase, 0);
    EXPECT_EQ(LastCaption(), 7);
}

TEST_F(PowerupsTest, LessInvadersNeedsFourAndTakesAtLeastHalf) {
    AddInvaders(3);
    ApplyPowerup(8);
    EXPECT_EQ(EnemiesList.size(), 3u);
    EXPECT_TRUE(ExplosionsList.empty());

    EnemiesList.clear();
    AddInvaders(21);
    ApplyPowerup(8);
    EXPECT_LE(EnemiesList.size(), 11u);  // 10 of 21 at least
    EXPECT_EQ(ExplosionsList.size(), 21 - EnemiesList.size());
}

TEST_F(PowerupsTest, SpeedPickupsOnlyRestoreAPatternTheLevelDidNotSet) {
    LevelFreshStart = 1;
    ApplyLevelCombatSettings(39);  // a level moving at a third of the speed
    EXPECT_EQ(InvaderMovePattern, 3);
    EXPECT_EQ(ResetPatternAfterPowerup, 0);
    ApplyPowerup(1);
    EXPECT_EQ(InvaderMovePattern, 3);  // other pickups leave it alone
    ApplyPowerup(10);
    EXPECT_EQ(InvaderMovePattern, 1);
    EXPECT_EQ(ResetPatternAfterPowerup, 1);
    ApplyPowerup(3);  // the next pickup ends the speed-up
    EXPECT_EQ(InvaderMovePattern, 0);
    ApplyPowerup(11);
    EXPECT_EQ(InvaderMovePattern, 2);
    EXPECT_EQ(LastCaption(), 11);
}

TEST_F(PowerupsTest, TheUfoPickupCallsAUfoOrGivesAShieldWhenOneIsThere) {
    SaucersLeft = 4;
    EarthRadius = 23;
    ApplyPowerup(12);
    EXPECT_EQ(UfoState, 1);
    EXPECT_FLOAT_EQ(UfoRadius, 640);
    EXPECT_EQ(UfoOrbitRadius, 323);
    EXPECT_EQ(UfoHoverTime, 75);
    EXPECT_EQ(SaucersLeft, 4);  // not one of a saucer level's
    EXPECT_EQ(LastCaption(), 12);

    ApplyPowerup(12);
    EXPECT_EQ(UfoState, 1);
    EXPECT_EQ(BaseShieldLook, 1);
    EXPECT_FLOAT_EQ(PowerupDecay, 0.15f);
    EXPECT_EQ(LastCaption(), 3);
}

// ---- the per-level settings ----

TEST_F(PowerupsTest, HintCaptionsOnlyAtTheLevelsStart) {
    LevelFreshStart = 1;
    ApplyLevelCombatSettings(17);
    ASSERT_EQ(FlyingTextList.size(), 3u);  // all three, though the first clears the flag
    EXPECT_EQ(FlyingTextList.back().TextIndex, 18);
    EXPECT_EQ(FlyingTextList.back().timedelay, 500);
    EXPECT_EQ(MaxPlayerShots, 0);
    EXPECT_EQ(BaseShieldLook, 2);
    EXPECT_FLOAT_EQ(PowerupDecay, 0);
    EXPECT_FLOAT_EQ(EarthShrinkPerKill, 15);

    FlyingTextList.clear();
    MaxPlayerShots = 5;
    ApplyLevelCombatSettings(17);  // after a lost life
    EXPECT_TRUE(FlyingTextList.empty());
    EXPECT_EQ(MaxPlayerShots, 0);
}

TEST_F(PowerupsTest, LevelSettingsFromTheTable) {
    ApplyLevelCombatSettings(38);
    EXPECT_FLOAT_EQ(EarthGrowPerHit, 0.15f);
    EXPECT_EQ(BigEarthLevel, 1);
    EXPECT_EQ(InvaderMovePattern, 3);

    InvaderMovePattern = 0, ResetPatternAfterPowerup = 1;  // the level defaults
    ApplyLevelCombatSettings(23);
    EXPECT_FLOAT_EQ(EarthGrowPerHit, 0.2f);
    EXPECT_EQ(InvaderMovePattern, 0);
    EXPECT_EQ(ResetPatternAfterPowerup, 1);

    AddInvaders(3, 5);
    ApplyLevelCombatSettings(85);
    EXPECT_EQ(InvaderFireChance, 200);
    EXPECT_EQ(EnemiesList.front().SpecificPowerup, 30);

    PowerupDecay = 0.3f, PowerupTime = 40;
    ApplyLevelCombatSettings(100);
    EXPECT_FLOAT_EQ(PowerupDecay, 0.5f);
    EXPECT_FLOAT_EQ(PowerupTime, 40);  // only the running powerup ends sooner

    FireDelay = 20, InvaderMovePattern = 0, PowerupKind = 1;
    ApplyLevelCombatSettings(2);  // not listed
    ApplyLevelCombatSettings(0);
    ApplyLevelCombatSettings(101);
    EXPECT_EQ(FireDelay, 20);
    EXPECT_EQ(PowerupKind, 1);
}

TEST(LevelCombatTable, FaultsNameTheirLine) {
    EXPECT_EQ(ParseLevelCombatSettings("# fine\n12 | FireDelay=3\n"), "");
    EXPECT_EQ(ParseLevelCombatSettings("\n12 FireDelay=3\n"), "line 2: no '|' between the levels and the settings");
    EXPECT_EQ(ParseLevelCombatSettings("5 | Lives=9\n"), "line 1: unknown setting 'Lives'");
    EXPECT_EQ(ParseLevelCombatSettings("5 | Caption=3\n"), "line 1: Caption wants two numbers, not '3'");
    LoadLevelCombatSettings();  // the built-in table back for the other tests
}

}  // namespace
