// A level played through the whole program on the headless platform: the
// menu, the level select, then frames of play with the fire key held.
#include <gtest/gtest.h>

#include <cmath>

#include "combat/base.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "support/sim_run.h"

namespace {

constexpr int VkControl = 162, VkLeftAlt = 164;

TEST(Play, TheEarthGrowsUnderFireAndTheBeamClearsTheLevel) {
    SimRun run;
    run.frames = 900;
    Tap(run.keys, 40, VkReturn);  // arcade mode
    Tap(run.keys, 50, VkReturn);  // level 1
    run.keys.push_back({55, VkControl, true});
    long long start = -1;
    float earthBefore = 0, earthAfterFire = 0;
    size_t invadersAtStart = 0;
    int scoreAfterBeam = 0;
    run.onFrame = [&](long long frame) {
        if (start < 0 && Lives > 0 && !EnemiesList.empty()) {
            start = frame;
            earthBefore = EarthRadius;
            invadersAtStart = EnemiesList.size();
            // Five invader shots coming in opposite the base.
            for (int i = 0; i < 5; ++i) {
                EnemyBullets shot;
                shot.angle = 180 + 5 * i;
                shot.Radius = 200 + 10 * float(i);
                shot.RadiusSpeed = -3;
                EnemyBulletsList.push_back(shot);
            }
        }
        if (start < 0) return;
        const long long t = frame - start;
        if (t < 60) MaxPlayerShots = 0;  // hold fire while the shots land
        if (t == 60) {
            earthAfterFire = EarthRadius;
            PowerupKind = 2;  // the beam, for good
            PowerupTime = 100;
            PowerupDecay = 0;
            for (Enemies& e : EnemiesList) e.radius = 50;  // within the beam's reach
        }
        if (t > 60 && t < 250) {
            MaxPlayerShots = 5;
            BaseAngle = std::fmod(BaseAngle + 2, 360.0f);  // sweep the beam round
        }
        if (t == 250) scoreAfterBeam = Score;
    };
    EXPECT_EQ(RunSim(run), 0);
    ASSERT_GE(start, 0) << "the game never started";
    ASSERT_GT(invadersAtStart, 0u);
    EXPECT_NEAR(earthAfterFire, earthBefore + 5 * 0.2f, 1e-4);
    EXPECT_GT(StatKilledByBeam, 0);
    EXPECT_GE(scoreAfterBeam, StatKilledByBeam * 6);  // 1 + half of at least 10 points each
    EXPECT_EQ(Lives, 4);
}

TEST(Play, AShieldSpentUnderTheDoubleBaseLeavesALastingDoubleBase) {
    SimRun run;
    run.frames = 630;
    Tap(run.keys, 40, VkReturn);
    Tap(run.keys, 50, VkReturn);
    Tap(run.keys, 120, VkReturn);   // past the level's title screen
    Tap(run.keys, 270, VkLeftAlt);  // the shield key
    bool started = false, bothBasesUnderShield = false;
    run.onFrame = [&](long long frame) {
        if (!started && Lives > 0 && !EnemiesList.empty()) {
            started = true;
            PowerupKind = 3;  // a timed double base, as its pickup gives
            PowerupTime = 100;
            PowerupDecay = 0.3f;
        }
        if (frame == 370) bothBasesUnderShield = BaseShieldLook == 2 && PowerupKind == 3 && SecondBaseY > 384;
    };
    EXPECT_EQ(RunSim(run), 0);
    ASSERT_TRUE(started);
    EXPECT_TRUE(bothBasesUnderShield);
    EXPECT_EQ(Shields, 4);
    EXPECT_EQ(PowerupKind, 3);  // the shield ran out after 250 frames; the double base stays
    EXPECT_FLOAT_EQ(PowerupDecay, 0);
    EXPECT_EQ(MaxPlayerShots, 10);
    EXPECT_EQ(BaseShieldLook, 0);
    EXPECT_EQ(PowerupBarShown, 0);
}

}  // namespace
