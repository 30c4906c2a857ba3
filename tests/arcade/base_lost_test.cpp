#include "arcade/base_lost.h"

#include "combat/combat_fixture.h"

namespace {

class BaseLostTest : public CombatTest {
protected:
    void SetUp() override {
        CombatTest::SetUp();
        BaseAngle = 0;
        DrawBase(0, 0);  // records the base at (512, 268)
    }
};

TEST_F(BaseLostTest, EachShieldMeetsAShotInItsOwnWay) {
    BaseShieldLook = 1;
    AddInvaderShotAt(512, 268 - 20);
    CheckBaseLost();
    EXPECT_TRUE(EnemyBulletsList.empty());
    EXPECT_EQ(Lives, 4);

    BaseShieldLook = 2;
    EnemyBullets& s = AddInvaderShotAt(512 + 20, 268 - 20);
    const int angle = s.angle;
    CheckBaseLost();
    ASSERT_EQ(EnemyBulletsList.size(), 1u);
    EXPECT_FLOAT_EQ(s.RadiusSpeed, 3);
    EXPECT_LE(std::abs(s.angle - angle), 3);
    EXPECT_EQ(Lives, 4);
}

TEST_F(BaseLostTest, AShotOnTheBareBaseCostsALifeAndPushesTheInvadersOut) {
    EarthRadius = 22;
    Enemies& e = AddInvader(180, 50);
    AddInvaderShotAt(512, 268 - 10);
    PlayerBulletsList.push_back(PlayerBullets{});
    CheckBaseLost();
    EXPECT_EQ(Lives, 3);
    EXPECT_EQ(Frozen, 0);
    EXPECT_FLOAT_EQ(e.radius, 56);
    EXPECT_FLOAT_EQ(EarthRadius, 20);  // 4 smaller, but not below 20
    EXPECT_TRUE(EnemyBulletsList.empty());
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_TRUE(FlyingTextList.empty());
    EXPECT_EQ(BaseShieldLook, 1);  // the new base comes with an absorb shield
    EXPECT_FLOAT_EQ(PowerupTime, 100);
    EXPECT_FLOAT_EQ(PowerupDecay, 0.75f);
    EXPECT_EQ(FireCooldown, 10);
    EXPECT_GT(FramesShown(), 10);
    EXPECT_LT(FramesShown(), LifeLostFrameLimit);
}

TEST_F(BaseLostTest, AHitOnTheSecondBaseCostsALifeToo) {
    PowerupKind = 3;
    DrawBase(180, 1);  // (512, 500)
    AddInvaderShotAt(512, 500 + 10);
    CheckBaseLost();
    EXPECT_EQ(Lives, 3);
    EXPECT_EQ(PowerupKind, 0);
}

TEST_F(BaseLostTest, AnInvaderWithin32TakesTheBaseBetween32And40OnlyItself) {
    AddInvader(0, (384 - 268 + 35) / 5.8f);  // about 35 pixels beyond the base
    CheckBaseLost();
    EXPECT_TRUE(EnemiesList.empty());
    EXPECT_EQ(Lives, 4);
    EXPECT_EQ(Frozen, 0);

    AddInvader(0, (384 - 268 + 25) / 5.8f);
    CheckBaseLost();
    EXPECT_TRUE(EnemiesList.empty());
    EXPECT_EQ(Lives, 3);
}

TEST_F(BaseLostTest, AnInvaderReachingTheEarthCostsALifeOnBigEarthLevelsLess) {
    BigEarthLevel = 1;
    EarthRadius = 36;
    Enemies& e = AddInvader(180, 37.9f);  // inside EarthRadius + 2, far from the base
    CheckBaseLost();
    EXPECT_EQ(Lives, 3);
    EXPECT_FLOAT_EQ(e.radius, 42.9f);
    EXPECT_FLOAT_EQ(EarthRadius, 36);
}

TEST_F(BaseLostTest, LosingTheLastLifeEndsTheGame) {
    std::vector<ScriptedKey> keys;
    for (int f = 0; f < 3000; f += 20) keys.push_back({f, 32, (f / 20) % 2 == 0});  // space, again and again
    Start(keys);
    DrawBase(0, 0);
    Lives = 1;
    AddInvaderShotAt(512, 268);
    CheckBaseLost();
    EXPECT_EQ(Lives, 0);
    EXPECT_EQ(GameOverState, 1);
}

}  // namespace
