// The bot's choices in the situations it exists for: a shot coming down on
// the base, a pickup to catch, an invader to shoot.
#include <gtest/gtest.h>

#include "bot.h"
#include "combat/base.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "common/maths.h"
#include "game/game_state.h"

namespace {

class BotChoices : public testing::Test {
protected:
    void SetUp() override {
        EnemiesList.clear(), EnemyBulletsList.clear(), PickUpsList.clear();
        EarthRadius = 20, BaseAngle = 90, BaseShieldLook = 0, Shields = 2, BossLevel = 0, BossDeathPhase = 0;
    }
    void TearDown() override { SetUp(); }

    // An incoming shot at `angle`, `above` pixels over the Earth's rim.
    static void ShotComing(float angle, float above) {
        EnemyBullets s;
        s.angle = int(angle);
        s.RadiusSpeed = -3;
        const float r = EarthRadius * OrbitUnit + above;
        s.xcenter = 512 + Sin(angle) * r, s.ycenter = 384 - Cos(angle) * r;
        EnemyBulletsList.push_back(s);
    }
    static void Invader(float angle, float radius) {
        Enemies e;
        e.angle = angle, e.radius = radius;
        EnemiesList.push_back(e);
    }
};

TEST_F(BotChoices, TurnsTheShortWayToTheNearestInvaderAndFires) {
    Invader(200, 60);
    Invader(60, 40);  // nearer the Earth
    BotChoice keys = ChooseBotKeys();
    EXPECT_TRUE(keys.left);
    EXPECT_FALSE(keys.right);
    EXPECT_TRUE(keys.fire);
    BaseAngle = 350, EnemiesList.clear(), Invader(10, 40);  // across 0 degrees
    keys = ChooseBotKeys();
    EXPECT_TRUE(keys.right);
    BaseAngle = 10;
    keys = ChooseBotKeys();
    EXPECT_FALSE(keys.left || keys.right);
}

TEST_F(BotChoices, RaisesTheShieldOnlyWhenAShotIsAboutToHitAnOpenBase) {
    ShotComing(90, 6);
    EXPECT_TRUE(ChooseBotKeys().shield);
    BaseShieldLook = 1;  // already shielded
    EXPECT_FALSE(ChooseBotKeys().shield);
    BaseShieldLook = 0, EnemyBulletsList.clear();
    ShotComing(150, 6);  // far to the side
    EXPECT_FALSE(ChooseBotKeys().shield);
}

TEST_F(BotChoices, WithoutShieldsLeftItStepsAsideFromTheShot) {
    Shields = 0;
    ShotComing(92, 30);
    Invader(92, 40);  // the invader that fired, straight above
    const BotChoice keys = ChooseBotKeys();
    EXPECT_TRUE(keys.left);  // away from the shot, which lands a little to the right
    EXPECT_FALSE(keys.shield);
}

TEST_F(BotChoices, GoesForAPickupItCanReachBeforeTheInvader) {
    Invader(60, 40);
    PickUps p;
    p.angle = 120, p.radius = int(EarthRadius * OrbitUnit) + 100;
    PickUpsList.push_back(p);
    EXPECT_TRUE(ChooseBotKeys().right);
    PickUpsList.front().radius = int(EarthRadius * OrbitUnit) + 12;  // lands before the base gets there
    EXPECT_TRUE(ChooseBotKeys().left);
}

}  // namespace
