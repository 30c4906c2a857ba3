// Whole frames and the screens between them: the display, a lost base, the
// next wave, the end of the game and the exit prompt.
#include <algorithm>

#include "classic_fixture.h"

namespace {

TEST_F(ClassicTest, TheStartShowsSevenZerosLevelOneAndThreeBases) {
    EXPECT_EQ(ClassicScoreText(), "score: 0000000");
    EXPECT_EQ(ClassicLevelText(), "lvl:01");
    EXPECT_EQ(Lives, 3);
    const std::vector<GlowSegment> hud = DrawnBy([] { DrawClassicHud(); });
    const std::vector<GlowSegment> zeros =
        DrawnBy([] { DrawVectorText("score: 0000000", 24, 24, 0xFFFF4040, 0, 1, 1, 1); });
    ASSERT_FALSE(zeros.empty());
    ASSERT_GE(hud.size(), zeros.size());
    for (size_t i = 0; i < zeros.size(); ++i) {
        EXPECT_EQ(hud[i].x1, zeros[i].x1);
        EXPECT_EQ(hud[i].y1, zeros[i].y1);
        EXPECT_EQ(hud[i].colour1, zeros[i].colour1);
    }
    // The life icons stand clear of the "lives:" text, which ends at 830.
    float leftmostIcon = 1024;
    for (size_t i = hud.size() - 3 * 18; i < hud.size(); ++i) leftmostIcon = std::min({leftmostIcon, hud[i].x1, hud[i].x2});
    EXPECT_GT(leftmostIcon, 830);
}

TEST_F(ClassicTest, AnInvaderOnTheBaseCostsALifeAndEndsTheWave) {
    Score = 120;
    Enemies& e = EnemiesList.back();
    e.x = float(BaseX), e.y = 690;
    const long long before = FramesShown();
    EXPECT_TRUE(RunClassicFrame());
    // The life-lost frames, then the pause before the next wave.
    EXPECT_EQ(FramesShown() - before, LifeLostFrames - 1 + 180);
    EXPECT_EQ(Lives, 2);
    EXPECT_EQ(Frozen, 0);
    EXPECT_EQ(ClassicLevel, 2);
    EXPECT_EQ(ClassicSpeed, 2);
    EXPECT_EQ(MarchSpeed, 10);
    EXPECT_EQ(DropStep, 18);
    EXPECT_EQ(WaveCleared, 0);
    EXPECT_EQ(BombCooldown, 100);
    EXPECT_EQ(BaseX, BaseStartX);
    EXPECT_EQ(EnemiesList.size(), 55u);
    EXPECT_EQ(EnemiesList.front().y, 159) << "a fresh formation at the top";
    EXPECT_EQ(Score, 120);
    EXPECT_EQ(GameOverState, 0);
}

TEST_F(ClassicTest, AnInvaderThatLandsWipesTheFormationAndRebuildsTheBunkers) {
    BaseBitsList.clear();
    Enemies& e = EnemiesList.back();
    e.x = 900, e.y = 702;  // far from the base, but below the line
    EXPECT_TRUE(RunClassicFrame());
    EXPECT_EQ(Lives, 2);
    EXPECT_EQ(ClassicLevel, 2);
    EXPECT_EQ(EnemiesList.size(), 55u);
    size_t perBunker = 0;
    for (int i = 0; i < 192; ++i) perBunker += BunkerBitmap[i] == 0 ? 1 : 0;
    EXPECT_EQ(BaseBitsList.size(), 4 * perBunker);
}

// Bombs and the mothership are not the wave's: they wait out the pause.
TEST_F(ClassicTest, ClearingTheWaveBringsTheNextOneFaster) {
    EnemiesList.clear();
    Lives = 2;
    DropBomb(500, 300, 8);
    MothershipOn = 1, MothershipX = 400, MothershipDirection = 1;
    EXPECT_TRUE(RunClassicFrame());
    EXPECT_EQ(ClassicLevel, 2);
    EXPECT_EQ(Lives, 2);
    EXPECT_EQ(EnemyBulletsList.size(), 1u);
    EXPECT_EQ(MothershipOn, 1);
    EXPECT_EQ(EnemiesList.size(), 55u);
    MoveClassicInvaders();
    EXPECT_EQ(EnemiesList.front().Direction, 10) << "one step faster at the new speed";
}

TEST_F(ClassicTest, EscapeCutsThePauseBeforeTheNextWaveOnlyAfterSixtyFrames) {
    for (int at : {10, 100}) {
        Start({{at, VkEscape, true}, {at + 1, VkEscape, false}});
        EnemiesList.clear();
        const long long before = FramesShown();
        RunClassicFrame();
        EXPECT_EQ(FramesShown() - before, at == 10 ? 180 : at) << "escape at " << at;
    }
}

TEST_F(ClassicTest, TheLastLifeEndsTheGameWithTheStatistics) {
    // The game-over screen waits for a key once 90 frames have passed.
    Start({{400, VkSpace, true}, {401, VkSpace, false}});
    Lives = 1;
    DropBomb(float(BaseX), 706, 8);
    RunClassicFrame();
    EXPECT_EQ(Lives, 0);
    EXPECT_EQ(GameOverState, 1);
    EXPECT_EQ(ClassicLevel, 1) << "no next wave after the last base";
    EXPECT_GT(FramesShown(), 400);
}

TEST_F(ClassicTest, TheLostBaseLeavesTheGlowSettingAsItWas) {
    // Ended mid-sequence, the way closing the window ends it.
    Start({}, 50);
    GlowAmount = 1;
    ApplyGlowAmount();
    Frozen = LifeLostFrames;
    EXPECT_THROW(RunClassicLifeLost(), ProgramQuit);
    EXPECT_EQ(GlowAmount, 1);
    EXPECT_EQ(LineWidth24, 3 * 1 + 24);
    EXPECT_EQ(LineWidth10, 1 + 10);
}

TEST_F(ClassicTest, TheLifeLostSequenceClearsTheShotsAndBombs) {
    // At frame 100 Frozen is still 80: that press is spent for nothing.
    Start({{100, VkEscape, true}, {101, VkEscape, false}, {110, VkEscape, true}, {111, VkEscape, false}});
    DropBomb(500, 300, 8);
    PlayerBulletsList.push_back({});
    BaseX = 600;
    Frozen = LifeLostFrames;
    const long long before = FramesShown();
    RunClassicLifeLost();
    EXPECT_EQ(FramesShown() - before, 110) << "escape ends it once Frozen is below 80";
    EXPECT_TRUE(EnemyBulletsList.empty());
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_EQ(BaseX, BaseStartX);
    EXPECT_EQ(Lives, 2);
}

TEST_F(ClassicTest, TheExitPromptAnswersYesOrNo) {
    Start({{3, VkY, true}, {4, VkY, false}});
    RunClassicExitPrompt();
    EXPECT_EQ(GameOverState, 3);
    for (int no : {VkN, VkEscape}) {
        Start({{3, no, true}, {4, no, false}});
        RunClassicExitPrompt();
        EXPECT_EQ(GameOverState, 0);
    }
    // The prompt moves nothing.
    Start({{5, VkY, true}});
    const float x = EnemiesList.front().x;
    DropBomb(500, 300, 8);
    RunClassicExitPrompt();
    EXPECT_EQ(EnemiesList.front().x, x);
    EXPECT_EQ(EnemyBulletsList.front().y, 300);
}

}  // namespace
