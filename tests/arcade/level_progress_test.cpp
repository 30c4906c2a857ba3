#include <gtest/gtest.h>

#include <vector>

#include "arcade/level_progress.h"
#include "combat/formations.h"
#include "combat/invaders.h"
#include "combat/ufo.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow_options.h"
#include "platform/platform.h"
#include "ui/screen.h"

namespace {

class LevelProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(3);
        LoadLevelCompletePicture();
        LoadLevelTable();
        LoadWaveFormations();
        EnemiesList.clear();
        ExplosionsList.clear();
        FlyingTextList.clear();
        BigEarthLevel = 0, SaucerLevel = 0, BossLevel = 0, BossDeathPhase = 0;
        WaveCount = 1, WavesSpawned = 1;
        EarthRadius = 20;
        UfoState = 0, SaucersLeft = 0;
        GameOverState = 0;
        SoundOn = 0, BackgroundOn = 0;
        Score = 0;
    }
    void TearDown() override {
        GlowKnobs.capture = nullptr;
        if (started) PlatformStop();
    }
    void Start(std::vector<ScriptedKey> keys = {}) {
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        options.script = std::move(keys);
        ASSERT_TRUE(PlatformStart(options));
        started = true;
    }
    bool started = false;
};

TEST_F(LevelProgressTest, ANormalLevelWaitsForItsExplosionsAndCaptions) {
    EXPECT_TRUE(LevelIsComplete());
    ExplosionsList.emplace_back();
    EXPECT_FALSE(LevelIsComplete());
    ExplosionsList.clear();
    FlyingTextList.emplace_back();
    EXPECT_FALSE(LevelIsComplete());
    FlyingTextList.clear();
    EnemiesList.emplace_back();
    EXPECT_FALSE(LevelIsComplete());
    EnemiesList.clear();
    WaveCount = 2;
    EXPECT_FALSE(LevelIsComplete());
}

TEST_F(LevelProgressTest, ABigEarthEndsBelowItsTargetWhateverInvadersRemain) {
    BigEarthLevel = 1, BigEarthTarget = 20, WaveCount = 99;
    EnemiesList.emplace_back();
    FlyingTextList.emplace_back();
    EarthRadius = 20;
    EXPECT_FALSE(LevelIsComplete());
    EarthRadius = 19.9f;
    EXPECT_TRUE(LevelIsComplete());
    ExplosionsList.emplace_back();
    EXPECT_FALSE(LevelIsComplete());
}

TEST_F(LevelProgressTest, ASaucerLevelEndsAsTheLastSaucerArrives) {
    SaucerLevel = 1, WaveCount = 99;
    SaucersLeft = 1, UfoState = 1;
    EXPECT_FALSE(LevelIsComplete());
    SaucersLeft = 0;
    EXPECT_TRUE(LevelIsComplete());
    UfoState = 2;
    EXPECT_FALSE(LevelIsComplete());
}

TEST_F(LevelProgressTest, TheOverlordBurstsThenShrinksAway) {
    Start();
    BossLevel = 1, BossBurstRadius = 48, WaveCount = 99;
    EnemiesList.emplace_back();
    EarthRadius = 48;
    CheckLevelProgress();
    EXPECT_EQ(BossDeathPhase, 0);
    EarthRadius = 48.2f;
    CheckLevelProgress();
    EXPECT_EQ(BossDeathPhase, 1);
    BossDeathPhase = 2;
    EarthRadius = 5;
    EXPECT_FALSE(LevelIsComplete());
    EarthRadius = 4;
    EXPECT_TRUE(LevelIsComplete());
}

TEST_F(LevelProgressTest, TheNextWaveComesAtOnceWhenTheFieldIsClear) {
    Start();
    Level = 3, WaveCount = 2, WavesSpawned = 1;
    EnemiesList.emplace_back();  // still one invader in the list...
    InvaderCount = 0;            // ...but none counted by the last pass
    CheckLevelProgress();
    EXPECT_EQ(WavesSpawned, 2);
    EXPECT_GT(EnemiesList.size(), 1u);
    CheckLevelProgress();
    EXPECT_EQ(WavesSpawned, 2);  // the level has no third
}

TEST_F(LevelProgressTest, TimeBonusAfterNoTimeAndAfterAllOfIt) {
    Start();
    TimeBonus = 36000;
    ShowTimeBonusResult();
    EXPECT_EQ(Score, 6000);
    EXPECT_EQ(FramesShown(), 301);  // no key: it closes itself
    TimeBonus = 36000 - 5 * 7200;
    ShowTimeBonusResult();
    EXPECT_EQ(Score, 6000);
    TimeBonus = 36000 - 5 * 3000;  // (21000 + 60) / 600 = 35 hundreds
    ShowTimeBonusResult();
    EXPECT_EQ(Score, 9500);
}

TEST_F(LevelProgressTest, ResultScreensTakeAKeyOnlyAfterASecond) {
    Start({{10, 65, true}, {11, 65, false}, {70, 65, true}});
    SaucersShot = 4, SaucerLivesEarned = 3;
    EnemiesList.emplace_back();
    ShowSaucerResult();
    EXPECT_EQ(FramesShown(), 70);
    EXPECT_TRUE(EnemiesList.empty());
}

TEST_F(LevelProgressTest, TheFirstCompletionOfLevel100EndsTheGameAfterTheNoticeTwice) {
    // A fire press still pending from play closes the first notice at once.
    Start({{0, KeyFire, true}, {1, KeyFire, false}, {20, VkReturn, true}});
    Level = 100, ClassicUnlocked = 0, HighestLevel = 100;
    CheckLevelProgress();
    EXPECT_EQ(GameOverState, 1);
    EXPECT_EQ(Level, 100);
    EXPECT_EQ(ClassicUnlocked, 1);
    EXPECT_EQ(FramesShown(), 20);
    EXPECT_EQ(FlyingTextList.back().TextIndex, 23);
}

}  // namespace
