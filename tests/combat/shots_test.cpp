#include "combat/collisions.h"

#include <climits>

#include "combat_fixture.h"

namespace {

using ShotsTest = CombatTest;

TEST(Collisions, DistanceIsStrictAndSafeFarAway) {
    EXPECT_EQ(WithinDistance(0, 0, 3, 4, 5), 0);
    EXPECT_EQ(WithinDistance(0, 0, 3, 4, 6), 1);
    EXPECT_EQ(WithinDistance(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 8), 0);
    EXPECT_EQ(WithinDistance(1, 1, 1, 1, 0), 0);
}

TEST(Collisions, SegmentsCrossOnlyInsideBoth) {
    EXPECT_EQ(SegmentsCross(0, 0, 10, 10, 0, 10, 10, 0), 1);
    EXPECT_EQ(SegmentsCross(0, 0, 10, 0, 5, 0, 5, 10), 0);    // touching at an end
    EXPECT_EQ(SegmentsCross(0, 0, 10, 0, 0, 1, 10, 1), 0);    // parallel
    EXPECT_EQ(SegmentsCross(0, 0, 0, 0, -1, -1, 1, 1), 0);    // no length
    EXPECT_EQ(SegmentsCross(0, 0, 10, 0, 20, -5, 20, 5), 0);  // beyond the end
}

// A player shot on angle 0 whose head will stand at field y = headY after
// one move, and an invader shot waiting there.
void ShotMeetsInvaderShot(int powerup, float headY) {
    PlayerBullets p;
    p.angle = 0;
    p.startradius = 0;
    p.radius = 384 - headY - 8 - 4;
    p.Powerup = powerup;
    PlayerBulletsList.push_back(p);
    EnemyBullets e;
    e.angle = 0;
    e.Radius = 384 - headY + 8;  // its tail at the same spot
    e.RadiusSpeed = -3;
    e.xcenter = 512, e.ycenter = headY;
    EnemyBulletsList.push_back(e);
}

TEST_F(ShotsTest, PowerShotSurvivesAnInvaderShotANormalOneDoesNotBothScoreOne) {
    for (int powerup : {0, 4}) {
        Start({});
        ShotMeetsInvaderShot(powerup, 200);
        UpdatePlayerShots();
        EXPECT_TRUE(EnemyBulletsList.empty());
        EXPECT_EQ(PlayerBulletsList.size(), powerup == 4 ? 1u : 0u);
        EXPECT_EQ(Score, 1);
        EXPECT_EQ(StatShotsShot, 1);
        EXPECT_EQ(PlayerShotCount, 1);
    }
}

TEST_F(ShotsTest, AShotJustOffTheFieldStillMeetsInvaderShots) {
    ShotMeetsInvaderShot(0, -12);  // after its move the tail stands at y = -4, off the field
    UpdatePlayerShots();
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_TRUE(EnemyBulletsList.empty());
    EXPECT_EQ(Score, 1);
}

TEST_F(ShotsTest, AnIncomingShotThatReachesTheEarthGrowsIt) {
    EnemyBullets e;
    e.angle = 90;
    e.startradius = 0;
    e.Radius = 20 * 5.8f + 8 + 2;  // two pixels out; one move brings it in
    e.RadiusSpeed = -3;
    EnemyBulletsList.push_back(e);
    UpdateInvaderShots();
    EXPECT_TRUE(EnemyBulletsList.empty());
    EXPECT_FLOAT_EQ(EarthRadius, 20.2f);
    EXPECT_EQ(InvaderShotCount, 1);
}

TEST_F(ShotsTest, ADeflectedShotDestroysEveryInvaderNearItForHalfTheirPoints) {
    EarthShrinkPerKill = 15;  // the no-weapon levels
    AddInvader(0, 50, 4);
    Enemies& b = AddInvader(0, 50, 2);
    b.x += 6;
    Enemies& c = AddInvader(0, 50, 5);
    c.x -= 30;  // too far
    EnemyBullets e;
    e.angle = 0;
    e.startradius = 0;
    e.Radius = 50 * 5.8f + 8 - 3;
    e.RadiusSpeed = 3;
    EnemyBulletsList.push_back(e);
    UpdateInvaderShots();
    EXPECT_TRUE(EnemyBulletsList.empty());
    ASSERT_EQ(EnemiesList.size(), 1u);
    EXPECT_EQ(EnemiesList.front().Frame, 5);
    EXPECT_EQ(Score, 20 + 10);
    EXPECT_EQ(StatKilledByOwnShots, 2);
    EXPECT_EQ(EarthShrinkSteps, 15);
}

}  // namespace
