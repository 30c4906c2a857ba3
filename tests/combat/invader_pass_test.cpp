// The invader pass: drawing, the hits of player shots at the segment ends,
// the nuke carrier, what destroyed invaders drop, firing and the march.
#include "combat/combat_fixture.h"
#include "support/sound_count.h"

namespace {

class InvaderPassTest : public CombatTest {
protected:
    void TearDown() override {
        if (counting) StopSoundCount();
        CombatTest::TearDown();
    }
    void CountSounds() {
        ASSERT_TRUE(StartSoundCount());
        counting = true;
        SoundOn = 1;
    }
    // A shot whose head is at field point (x, y); the invader pass reads only that.
    PlayerBullets& ShotAt(float x, float y, int powerup = 0) {
        PlayerBullets s;
        s.x = s.xcenter = x, s.y = s.ycenter = y;
        s.Powerup = powerup;
        PlayerBulletsList.push_back(s);
        return PlayerBulletsList.back();
    }
    bool counting = false;
};

// Kind 1 at angle 0, 40 units out: its centre is (512, 152). A shot on that
// centre is within 8 pixels of six segment ends (the eyes) and of the centre.
constexpr float CentreX = 512, CentreY = 152;
constexpr int EndsNearCentre = 7;

TEST_F(InvaderPassTest, DrawsEverySegmentAtItsOrbitAndEndsOnTheCentre) {
    OffsetX = 100, OffsetY = 50;
    Frozen = 1;  // drawn in place
    Enemies& e = AddInvader(0, 40);
    const auto segments = DrawnBy(UpdateInvaders);
    ASSERT_EQ(segments.size(), 18u);  // the closing empty slot draws nothing
    EXPECT_FLOAT_EQ(segments[0].x1, 612 - 7);
    EXPECT_FLOAT_EQ(segments[0].y1, 202 - 7);
    EXPECT_FLOAT_EQ(segments[0].x2, 612 + 7);
    EXPECT_EQ(segments[0].colour1, 0xFF3188FFu);
    EXPECT_EQ(segments[0].colour2, 0xFF3188FFu);
    EXPECT_FLOAT_EQ(e.x, CentreX);
    EXPECT_FLOAT_EQ(e.y, CentreY);
    EXPECT_EQ(InvaderCount, 1);
    EXPECT_FLOAT_EQ(e.radius, 40) << "frozen invaders stay where they are";
}

TEST_F(InvaderPassTest, ANormalShotTakesOneHitPointAndIsSpent) {
    Enemies& e = AddInvader(0, 40, 1, 5);
    ShotAt(CentreX, CentreY);
    ShotAt(CentreX + 2, CentreY);
    ShotAt(CentreX + 200, CentreY);  // nowhere near
    UpdateInvaders();
    EXPECT_EQ(e.HitPoints, 3);
    EXPECT_EQ(PlayerBulletsList.size(), 1u);
    EXPECT_EQ(ExplosionsList.size(), 2u);
    EXPECT_EQ(StarsList.size(), 40u);
    EXPECT_EQ(Score, 0);
}

TEST_F(InvaderPassTest, APowerShotTakesAHitPointAtEveryNearSegmentEndAndFliesOn) {
    Enemies& e = AddInvader(0, 40, 1, 50);
    ShotAt(CentreX, CentreY, 4);
    UpdateInvaders();
    EXPECT_EQ(e.HitPoints, 50 - EndsNearCentre);
    EXPECT_EQ(PlayerBulletsList.size(), 1u);

    // Exactly at 0 it is destroyed, in the middle of its outline.
    e.HitPoints = 3, e.angle = 0, e.radius = 40, e.FramePlus = 0;
    UpdateInvaders();
    EXPECT_TRUE(EnemiesList.empty());
    EXPECT_EQ(PlayerBulletsList.size(), 1u);
    EXPECT_EQ(Score, 10);
    EXPECT_EQ(StatKilledByBullets, 1);
    EXPECT_EQ(InvaderCount, 1) << "a destroyed invader still counts in its frame";
}

// The last hit point gone, the invader still stands in the way until its
// outline is done: a second normal shot there is spent on it, a power shot
// keeps taking points, and neither scores twice.
TEST_F(InvaderPassTest, ADestroyedInvaderStillMeetsTheShotsForTheRestOfItsOutline) {
    AddInvader(0, 40, 1, 1);
    ShotAt(CentreX, CentreY);
    ShotAt(CentreX + 2, CentreY);
    UpdateInvaders();
    EXPECT_TRUE(EnemiesList.empty());
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_EQ(ExplosionsList.size(), 2u);
    EXPECT_EQ(Score, 10);

    AddInvader(0, 40, 1, 1);
    ShotAt(CentreX, CentreY, 4);
    ExplosionsList.clear();
    UpdateInvaders();
    EXPECT_TRUE(EnemiesList.empty());
    EXPECT_EQ(ExplosionsList.size(), size_t(EndsNearCentre));
    EXPECT_EQ(Score, 20);
    EXPECT_EQ(StatKilledByBullets, 2);
}

// The second frame of kind 2 reaches furthest out: a leg ending at (-20, 6).
TEST_F(InvaderPassTest, TheOutermostSegmentEndIsHitToo) {
    Enemies& e = AddInvader(0, 40, 2, 10);
    e.FramePlus = 1;
    ShotAt(CentreX - 27, CentreY + 6, 4);   // 7 pixels beyond the leg's end
    ShotAt(CentreX - 28, CentreY + 6, 4);   // 8: just too far
    UpdateInvaders();
    EXPECT_EQ(e.HitPoints, 9);
}

TEST_F(InvaderPassTest, AHitPointCountPastZeroNoLongerKills) {
    Enemies& e = AddInvader(0, 40, 1, 0);
    ShotAt(CentreX, CentreY, 4);
    UpdateInvaders();
    EXPECT_EQ(e.HitPoints, -EndsNearCentre);
    EXPECT_EQ(EnemiesList.size(), 1u);
    EXPECT_EQ(Score, 0);
}

TEST_F(InvaderPassTest, NothingIsHitWhileFrozen) {
    Frozen = 2;
    Enemies& e = AddInvader(0, 40);
    ShotAt(CentreX, CentreY);
    UpdateInvaders();
    EXPECT_EQ(e.HitPoints, 1);
    EXPECT_EQ(PlayerBulletsList.size(), 1u);
}

TEST_F(InvaderPassTest, TheNukeDestroysEveryInvaderWithOneBoomEachAndDropsNothingForThem) {
    CountSounds();
    LevelPickupKind = 3;
    for (float a : {90.0f, 180.0f}) AddInvader(a, 60, 3).PowerupPayload = 1;
    Enemies& nuke = AddInvader(0, 40, 1, 1);
    nuke.SpecificPowerup = 30;
    const Enemies& after = AddInvader(270, 60, 4);
    const int afterX = TruncToInt(after.x), afterY = TruncToInt(after.y);
    AddInvader(300, 60, 2).PowerupPayload = 1;
    ShotAt(CentreX, CentreY);
    UpdateInvaders();
    EXPECT_TRUE(EnemiesList.empty());
    EXPECT_TRUE(PickUpsList.empty());
    EXPECT_EQ(Score, 10) << "only the carrier scores";
    EXPECT_EQ(StatKilledByBullets, 1);
    // The hit itself, then one burst at every invader, the carrier included.
    ASSERT_EQ(ExplosionsList.size(), 1u + 5u);
    EXPECT_EQ(StarsList.size(), 20u + 5u * 10u);
    bool burstAtUnwalked = false;
    for (const Explosions& x : ExplosionsList) burstAtUnwalked |= x.fx == afterX && x.fy == afterY;
    EXPECT_TRUE(burstAtUnwalked);
    EXPECT_EQ(SoundPlays("Boom"), 1 + 5);
    EXPECT_EQ(SoundPlays("Meow"), 0) << "the cat was nuked, not shot";
}

TEST_F(InvaderPassTest, ShotInvadersDropWhatTheyCarry) {
    LevelPickupKind = 3;
    Enemies& both = AddInvader(0, 40);
    both.PowerupPayload = 1, both.SpecificPowerup = 6;
    ShotAt(CentreX, CentreY);
    UpdateInvaders();
    ASSERT_EQ(PickUpsList.size(), 2u);
    EXPECT_EQ(PickUpsList.front().WhichOne, 3);
    EXPECT_EQ(PickUpsList.back().WhichOne, 6);
    EXPECT_EQ(PickUpsList.front().radius, TruncToInt(40 * OrbitUnit));

    LevelPickupKind = 0;  // a level without pickups drops none
    AddInvader(0, 40).PowerupPayload = 1;
    ShotAt(CentreX, CentreY);
    UpdateInvaders();
    EXPECT_EQ(PickUpsList.size(), 2u);
}

TEST_F(InvaderPassTest, KillsShrinkTheEarthOnlyWhileItIsAboveTwenty) {
    const float cases[][2] = {{20, 20}, {15, 15}, {20.2f, 19.8f}, {30, 29.6f}};
    for (const auto& c : cases) {
        EarthRadius = c[0];
        AddInvader(0, 40);
        ShotAt(CentreX, CentreY);
        UpdateInvaders();
        EXPECT_NEAR(EarthRadius, c[1], 1e-5) << c[0];
    }
}

TEST_F(InvaderPassTest, InvadersFireDownTheirOwnRadialLine) {
    Frozen = 1;  // held in place; they still fire
    AddInvader(123.7f, 70.9f);
    InvaderFireChance = 40, MaxInvaderShots = 1000;
    for (int f = 0; f < 400; ++f) UpdateInvaders();
    ASSERT_GT(EnemyBulletsList.size(), 0u);
    const EnemyBullets& s = EnemyBulletsList.front();
    EXPECT_EQ(s.angle, 123);
    EXPECT_FLOAT_EQ(s.Radius, 66);
    EXPECT_FLOAT_EQ(s.startradius, 66);
    EXPECT_FLOAT_EQ(s.RadiusSpeed, -3);

    EnemyBulletsList.clear();
    InvaderShotCount = 1000;  // the limit reached
    for (int f = 0; f < 400; ++f) UpdateInvaders();
    InvaderShotCount = 0, BossDeathPhase = 1;  // the overlord dying
    for (int f = 0; f < 400; ++f) UpdateInvaders();
    BossDeathPhase = 0, InvaderFireChance = 39;  // can never draw 40
    for (int f = 0; f < 400; ++f) UpdateInvaders();
    EXPECT_TRUE(EnemyBulletsList.empty());
}

// A wave just released may stand beyond 360 degrees until its first pass;
// drawing it then uses the outline of the same direction.
TEST_F(InvaderPassTest, DrawingBeforeTheFirstPassCopesWithAnglesBeyondATurn) {
    AddInvader(710, 80, 5);
    const auto far = DrawnBy(DrawInvaders);
    EnemiesList.front().angle = 350;
    const auto near = DrawnBy(DrawInvaders);
    ASSERT_EQ(far.size(), 28u);
    ASSERT_EQ(near.size(), far.size());
    for (size_t k = 0; k < far.size(); ++k) {
        EXPECT_NEAR(far[k].x2 - far[k].x1, near[k].x2 - near[k].x1, 1e-3) << k;
        EXPECT_NEAR(far[k].x1, near[k].x1, 0.01) << k;
    }
}

TEST_F(InvaderPassTest, TheMarchQuickensWithMoreInvaders) {
    InvaderFireChance = 39;
    Frozen = 1;
    const std::pair<int, int> tempo[] = {{36, 12}, {20, 20}, {10, 28}};
    for (const auto& [count, interval] : tempo) {
        EnemiesList.clear();
        for (int i = 0; i < count; ++i) AddInvader(float(i * 10), 100);
        UpdateInvaders();
        EXPECT_EQ(WalkInterval, interval) << count;
    }
}

TEST_F(InvaderPassTest, TheMarchStepsAlternateAtItsTempoAndStopWhenFrozen) {
    CountSounds();
    InvaderFireChance = 39;
    for (int i = 0; i < 10; ++i) AddInvader(float(i * 30), 100);
    WalkInterval = 28, WalkTimer = 28, WalkToggle = 0;
    for (int f = 0; f < 3 * 28; ++f) UpdateInvaders();
    EXPECT_EQ(SoundPlays("Walk2"), 2);
    EXPECT_EQ(SoundPlays("Walk1"), 1);
    Frozen = 1;
    for (int f = 0; f < 3 * 28; ++f) UpdateInvaders();
    EXPECT_EQ(SoundPlays("Walk1") + SoundPlays("Walk2"), 3);
}

}  // namespace
