#include "combat/controls.h"

#include "combat_fixture.h"

namespace {

using ControlsTest = CombatTest;

TEST_F(ControlsTest, BothTurnKeysHeldLeaveTheBaseStillAndTurningLeftGoesNegative) {
    Start({{0, KeyLeft, true}, {0, KeyRight, true}, {3, KeyRight, false}});
    BaseAngle = 1;
    for (int i = 0; i < 3; ++i) {
        HandlePlayerControls();
        ShowFrame();
    }
    EXPECT_FLOAT_EQ(BaseAngle, 1);
    HandlePlayerControls();
    EXPECT_FLOAT_EQ(BaseAngle, -1);  // the remainder keeps the sign
    BaseAngle = -359;
    HandlePlayerControls();
    EXPECT_FLOAT_EQ(BaseAngle, -1);
}

TEST_F(ControlsTest, FireHeldFiresEveryCooldownAndNeverPastTheShotLimit) {
    Start({{0, KeyFire, true}});
    FireDelay = 3;
    MaxPlayerShots = 2;
    int fired = 0;
    for (int frame = 0; frame < 12; ++frame) {
        PlayerShotCount = int(PlayerBulletsList.size());
        const size_t before = PlayerBulletsList.size();
        HandlePlayerControls();
        fired += int(PlayerBulletsList.size() - before);
        if (FireCooldown > 0) FireCooldown--;
    }
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(FireCooldown, 0);  // the refused presses did not reload it
    EXPECT_EQ(StatShotsFired, 2);
}

TEST_F(ControlsTest, ShieldKeySpendsAShieldAndKeepsTheDoubleBase) {
    Start({{0, KeyShield, true}});
    PowerupKind = 3;
    Shields = 2;
    HandlePlayerControls();
    EXPECT_EQ(Shields, 1);
    EXPECT_EQ(PowerupKind, 3);
    EXPECT_EQ(DoubleBasePending, 1);
    EXPECT_EQ(BaseShieldLook, 2);
    EXPECT_FLOAT_EQ(PowerupDecay, 0.4f);
    HandlePlayerControls();  // held, not hit again
    EXPECT_EQ(Shields, 1);
}

TEST_F(ControlsTest, ShieldKeyWithNoShieldsDoesNothing) {
    Start({{0, KeyShield, true}});
    Shields = 0;
    PowerupTime = 0;
    HandlePlayerControls();
    EXPECT_EQ(Shields, 0);
    EXPECT_EQ(BaseShieldLook, 0);
    EXPECT_FLOAT_EQ(PowerupTime, 0);
    EXPECT_TRUE(StarsList.empty());
}

}  // namespace
