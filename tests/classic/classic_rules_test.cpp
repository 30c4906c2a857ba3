// The rules of one frame: the march, the shots, the bombs, the bunkers and
// the mothership, each pass called on its own.
#include <algorithm>
#include <cmath>

#include "classic_fixture.h"

namespace {

// Frames until the formation next steps, and the step of the first invader.
float NextStep() {
    const float before = EnemiesList.front().x;
    for (int frame = 0; frame < 20; ++frame) {
        MoveClassicInvaders();
        if (EnemiesList.front().x != before) return EnemiesList.front().x - before;
    }
    return 0;
}

TEST_F(ClassicTest, TheWaveIsElevenColumnsOfFiveRowsWorthThirtyTwentyAndTen) {
    ASSERT_EQ(EnemiesList.size(), 55u);
    int row = 0, column = 0;
    for (const Enemies& e : EnemiesList) {
        EXPECT_EQ(e.x, float(column * 62 + 231));
        EXPECT_EQ(e.y, float(row * 62 + 159));
        EXPECT_EQ(e.Frame, row == 0 ? 3 : row < 3 ? 2 : 1);
        EXPECT_EQ(e.Score, e.Frame * 10);
        if (++column == 11) column = 0, ++row;
    }
}

TEST_F(ClassicTest, TheMarchQuickensAsTheFormationThins) {
    const std::pair<size_t, float> steps[] = {{55, 9}, {12, 26}, {9, 29}};
    for (const auto& [left, step] : steps) {
        StartClassicGame();
        KeepInvaders(left);
        EXPECT_EQ(NextStep(), step) << left << " invaders";
    }
    // A formation going left keeps going left at the new size.
    StartClassicGame();
    KeepInvaders(12);
    for (Enemies& e : EnemiesList) e.Direction = -5;
    EXPECT_EQ(NextStep(), -26);
    // One wave on, everything is a step faster.
    StartClassicGame();
    ClassicSpeed = 2;
    EXPECT_EQ(NextStep(), 10);
}

TEST_F(ClassicTest, AtTheEdgeTheFormationTurnsAndStepsDown) {
    Enemies& far = *std::next(EnemiesList.begin(), 10);  // the right end of the top row
    far.x = 995;                                         // one step more would take it past 1000
    const float nearX = EnemiesList.front().x;
    std::vector<float> ys;
    for (const Enemies& e : EnemiesList) ys.push_back(e.y);
    EXPECT_EQ(NextStep(), 9);
    EXPECT_EQ(far.x, 995) << "the step over the edge is taken back";
    size_t i = 0;
    for (const Enemies& e : EnemiesList) {
        EXPECT_LT(e.Direction, 0);
        EXPECT_EQ(e.y, ys[i++] + DropStep);
    }
    EXPECT_EQ(EnemiesList.front().x, nearX + 9);
    EXPECT_EQ(NextStep(), -9);
}

TEST_F(ClassicTest, InvadersCrushTheBunkersTheyWalkInto) {
    KeepInvaders(1);
    Enemies& e = EnemiesList.front();
    e.x = float(BunkerXs[0] + 48), e.y = 590;
    BunkerTurn = 1;
    const size_t before = BaseBitsList.size();
    MoveClassicInvaders();
    EXPECT_LT(BaseBitsList.size(), before);
    EXPECT_EQ(BunkerTurn, 2);
    for (const BaseBits& b : BaseBitsList) {
        const bool inBox = BoxesTouch(e.x - 20, e.y - 16, 38, 32, float(b.x), float(b.y), 6, 6);
        EXPECT_FALSE(inBox && b.nr == 1) << "block at " << b.x << "," << b.y << " should be gone";
    }
}

TEST_F(ClassicTest, NoThirdShotWhileTwoAreInFlight) {
    std::vector<ScriptedKey> keys;
    for (int frame : {1, 3, 5, 7}) keys.push_back({frame, KeyFire, true}), keys.push_back({frame + 1, KeyFire, false});
    Start(keys);
    for (int frame = 0; frame < 7; ++frame) {
        ClassicControls();
        ShowFrame();
    }
    EXPECT_EQ(PlayerBulletsList.size(), 2u);
    EXPECT_EQ(StatShotsFired, 2);
    // The limit is the shots in flight, not a reload time.
    PlayerBulletsList.pop_front();
    for (int frame = 7; frame < 9; ++frame) {
        ClassicControls();
        ShowFrame();
    }
    EXPECT_EQ(PlayerBulletsList.size(), 2u);
    EXPECT_EQ(StatShotsFired, 3);
}

TEST_F(ClassicTest, AShotTakesTheInvaderItTouchesAndItsPoints) {
    KeepInvaders(1);
    const Enemies target = EnemiesList.front();  // kind 3, 30 points
    PlayerBullets shot;
    shot.x = target.x, shot.y = target.y + 10;
    PlayerBulletsList.push_back(shot);
    UpdateClassicShots(1);
    EXPECT_TRUE(EnemiesList.empty());
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_EQ(Score, 30);
    EXPECT_EQ(StatKilledByBullets, 1);
}

TEST_F(ClassicTest, ABombBitesACircleOutOfABunker) {
    const float tipX = float(BunkerXs[1] + 40), tipY = 590;
    // The bomb falls 8 in its frame and is tested 8 above where it then is.
    DropBomb(tipX, tipY, 8);
    const std::list<BaseBits> before = BaseBitsList;
    UpdateBombs(1);
    EXPECT_TRUE(EnemyBulletsList.empty());
    auto within = [&](const BaseBits& b) { return std::hypot(b.x + 3 - tipX, b.y + 3 - tipY) < 20; };
    size_t bitten = 0;
    for (const BaseBits& b : before) {
        const bool left = std::any_of(BaseBitsList.begin(), BaseBitsList.end(),
                                      [&](const BaseBits& o) { return o.x == b.x && o.y == b.y; });
        EXPECT_EQ(left, !within(b)) << b.x << "," << b.y;
        bitten += within(b) ? 1 : 0;
    }
    EXPECT_GT(bitten, 20u);
}

TEST_F(ClassicTest, ABombOnTheBaseDestroysItAndOneOnTheGroundIsGone) {
    DropBomb(float(BaseX + 10), 706, 8);
    DropBomb(700, 740, 8);
    UpdateBombs(1);
    EXPECT_EQ(Frozen, LifeLostFrames);
    EXPECT_TRUE(EnemyBulletsList.empty());
    // While the base is gone a second bomb falls through.
    DropBomb(float(BaseX), 706, 8);
    UpdateBombs(1);
    EXPECT_EQ(EnemyBulletsList.size(), 1u);
}

TEST_F(ClassicTest, AShotBitesIntoABunkerAndEnds) {
    PlayerBullets shot;
    shot.x = float(BunkerXs[2] + 48), shot.y = 650;
    PlayerBulletsList.push_back(shot);
    const size_t before = BaseBitsList.size();
    for (int frame = 0; frame < 20 && !PlayerBulletsList.empty(); ++frame) {
        UpdateClassicShots(1);
        UpdateBunkers();
    }
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_LT(BaseBitsList.size(), before);
    EXPECT_EQ(StatKilledByBullets, 0);
}

TEST_F(ClassicTest, TheMothershipCrossesEitherWayAndLetsGoOfItsBombsWhenHit) {
    KeepInvaders(54);
    int rightward = 0, leftward = 0;
    for (int frame = 0; frame < 20000 && (rightward == 0 || leftward == 0); ++frame) {
        const int was = MothershipOn;
        UpdateMothership(1);
        if (was != 0 || MothershipOn == 0) continue;
        (MothershipDirection == 1 ? rightward : leftward) += 1;
        if (MothershipDirection == 2) {
            EXPECT_FLOAT_EQ(MothershipX, 1044 - 2.5f) << "it enters from the right and stays";
        }
    }
    EXPECT_GT(rightward, 0);
    EXPECT_GT(leftward, 0);

    EnemyBulletsList.clear();
    MothershipOn = 1, MothershipX = 500, MothershipDirection = 1;
    PlayerBullets shot;
    shot.x = 500, shot.y = 140;
    PlayerBulletsList.push_back(shot);
    UpdateClassicShots(1);
    EXPECT_EQ(MothershipOn, 0);
    EXPECT_EQ(StatUfosShot, 1);
    EXPECT_EQ(EnemyBulletsList.size(), 10u);
    EXPECT_TRUE(PlayerBulletsList.empty());
}

}  // namespace
