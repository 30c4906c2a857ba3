#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "combat/game_over.h"
#include "game/game_state.h"
#include "platform/platform.h"

namespace {

void SetHits(int fired, int bullets, int beam = 0, int shots = 0, int ufos = 0) {
    ResetGameStats();
    StatShotsFired = fired;
    StatKilledByBullets = bullets;
    StatKilledByBeam = beam;
    StatShotsShot = shots;
    StatUfosShot = ufos;
}

TEST(HitAccuracy, NotAvailableWithoutAShotFired) {
    SetHits(0, 0, 12);  // only the beam was used
    EXPECT_EQ(HitAccuracy(), 0);
    EXPECT_EQ(HitAccuracyText(), "Hit accuracy: not available");
    SetHits(9, 0);
    EXPECT_EQ(HitAccuracyText(), "Hit accuracy: not available");
}

TEST(HitAccuracy, SinglePrecisionTruncatedAndAbove100WithTheBeam) {
    SetHits(50, 29);  // 57.99... in double, 58 in single precision
    EXPECT_EQ(HitAccuracy(), 58);
    SetHits(100, 53);  // and 52.999996 the other way round
    EXPECT_EQ(HitAccuracy(), 52);
    SetHits(3, 1);
    EXPECT_EQ(HitAccuracyText(), "Hit accuracy: 33;");
    SetHits(4, 2, 5, 1, 1);  // every kind of hit counts
    EXPECT_EQ(HitAccuracy(), 225);
}

TEST(GameOverTexts, SevenDigitsOfTheScore) {
    EXPECT_EQ(SevenDigitScore(0), "0000000");
    EXPECT_EQ(SevenDigitScore(12345), "0012345");
    EXPECT_EQ(SevenDigitScore(12345678), "2345678");
    EXPECT_EQ(SevenDigitScore(2147483647), "7483647");
}

TEST(GameOverTexts, StatsLinesArePaddedInPairs) {
    EXPECT_EQ(PadStatsLine("ab").size(), 48u);
    EXPECT_EQ(PadStatsLine("abc").size(), 49u);
    const std::string longer(60, 'x');
    EXPECT_EQ(PadStatsLine(longer), " " + longer + " ");
    EXPECT_EQ(PadStatsLine(""), std::string(48, ' '));
}

class GameOverScreen : public ::testing::Test {
protected:
    void Start(std::vector<ScriptedKey> keys) {
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        options.script = std::move(keys);
        ASSERT_TRUE(PlatformStart(options));
        GameOverState = 0;
        Score = 4520;
        SetHits(10, 4);
    }
    void TearDown() override { PlatformStop(); }
};

TEST_F(GameOverScreen, KeysHeldOrHitEarlyDoNotEndIt) {
    // Fire held from play, and presses during the first 90 frames.
    Start({{0, 162, true}, {30, 65, true}, {31, 65, false}, {88, 32, true}, {89, 32, false}, {150, 65, true}});
    Lives = 0;
    ShowGameOver(0);
    EXPECT_EQ(GameOverState, 1);
    EXPECT_EQ(FramesShown(), 151);  // ended by the press before frame 150 was drawn
}

}  // namespace
