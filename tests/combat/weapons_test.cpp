#include "combat/controls.h"

#include <set>

#include "combat_fixture.h"

namespace {

using WeaponsTest = CombatTest;

std::multiset<int> ShotAngles() {
    std::multiset<int> angles;
    for (const PlayerBullets& s : PlayerBulletsList) angles.insert(s.angle);
    return angles;
}

TEST_F(WeaponsTest, EachPowerupFiresItsOwnShots) {
    struct Case {
        int kind;
        float angle;
        std::multiset<int> angles;
        int powerup, stat;
    };
    const Case cases[] = {
        {0, 12.7f, {12}, 0, 1},
        {1, 2.5f, {2, 358, 7}, 0, 3},      // the fan wraps below 0
        {1, 357.5f, {357, 352, 2}, 0, 3},  // and above 359
        {3, 10.5f, {10, 190}, 0, 2},
        {4, 90, {90}, 4, 1},
    };
    for (const Case& c : cases) {
        Start({});
        PowerupKind = c.kind;
        BaseAngle = c.angle;
        EarthRadius = 22;
        FirePlayerWeapon();
        EXPECT_EQ(ShotAngles(), c.angles) << "kind " << c.kind;
        EXPECT_EQ(StatShotsFired, c.stat) << "kind " << c.kind;
        EXPECT_EQ(FireCooldown, FireDelay);
        const PlayerBullets& s = PlayerBulletsList.front();
        EXPECT_EQ(s.Powerup, c.powerup);
        EXPECT_FLOAT_EQ(s.radius, 11);
        EXPECT_FLOAT_EQ(s.startradius, 22);
    }
}

TEST_F(WeaponsTest, EarthPickupsFireNothingButReload) {
    for (int kind : {13, 14}) {
        Start({});
        PowerupKind = kind;
        FirePlayerWeapon();
        EXPECT_TRUE(PlayerBulletsList.empty());
        EXPECT_EQ(FireCooldown, FireDelay);
        EXPECT_EQ(StatShotsFired, 0);
    }
}

TEST_F(WeaponsTest, BeamDestroysEveryInvaderOnItsLineInOneFrameWhateverItsHitPoints) {
    PowerupKind = 2;
    BaseAngle = 30;
    EarthRadius = 20.5f;
    AddInvader(30, 40, 4, 9);
    AddInvader(30, 60, 3, 9);
    AddInvader(30.5f, 70, 5, 1);
    AddInvader(200, 60, 2, 1);  // behind the Earth: spared
    FirePlayerWeapon();
    ASSERT_EQ(EnemiesList.size(), 1u);
    EXPECT_FLOAT_EQ(EnemiesList.front().angle, 200);
    EXPECT_EQ(Score, (1 + 20) + (1 + 15) + (1 + 25));
    EXPECT_EQ(StatKilledByBeam, 3);
    EXPECT_EQ(StatShotsFired, 0);
    EXPECT_FLOAT_EQ(EarthRadius, 20.5f - 2 * 0.4f);  // only while above 20, so it may end below
    EXPECT_EQ(FireCooldown, 0);
    EXPECT_EQ(PlayerShotCount, 0);
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_EQ(drawn.size(), 3u);  // the beam's three lines
}

TEST_F(WeaponsTest, BeamDestroysTheUfoItCrosses) {
    PowerupKind = 2;
    BaseAngle = 45;
    UfoState = 1;
    UfoAngle = 45;
    UfoRadius = 300;
    FirePlayerWeapon();
    EXPECT_EQ(UfoState, 0);
    EXPECT_EQ(Score, 1000);
    EXPECT_EQ(StatUfosShot, 1);
    EXPECT_EQ(SaucersShot, 0);  // a beam kill does not count for a saucer level
}

}  // namespace
