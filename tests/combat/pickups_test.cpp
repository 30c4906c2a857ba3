#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow_options.h"

namespace {

class PickupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadPickupShapes();
        SeedRandom(77);
        PickUpsList.clear();
        StarsList.clear();
        FlyingTextList.clear();
        EnemiesList.clear();
        ResetGameStats();
        LevelPickupKind = 1;
        EarthRadius = 20;
        BaseAngle = 0;
        PowerupKind = 0;
        Score = 0;
        SaucerLivesEarned = 0;
        SoundOn = 0;
        ResetPatternAfterPowerup = 0;
    }
    void TearDown() override { GlowKnobs.capture = nullptr; }
};

TEST_F(PickupsTest, LevelsWithoutPickupsDropNothingEvenWhenAsked) {
    LevelPickupKind = 0;
    SpawnPickup(50, 10, 0, 0);
    SpawnPickup(50, 10, 7, 7);
    EXPECT_TRUE(PickUpsList.empty());
    EXPECT_EQ(StatPickupsDropped, 0);
}

TEST_F(PickupsTest, RandomKindsLeaveOutDoubleBaseAndMoreInvadersAndASpecificKindWins) {
    std::set<int> mixed, shop;
    for (int i = 0; i < 400; ++i) {
        LevelPickupKind = 20;
        SpawnPickup(50, 10, 0, 0);
        mixed.insert(PickUpsList.back().WhichOne);
        LevelPickupKind = 21;
        SpawnPickup(50, 10, 0, 0);
        shop.insert(PickUpsList.back().WhichOne);
    }
    EXPECT_EQ(mixed, (std::set<int>{1, 2, 3, 4, 6, 7, 8, 11, 12}));
    EXPECT_EQ(shop, (std::set<int>{1, 2, 3, 4, 6, 7, 8, 11}));
    EXPECT_EQ(StatPickupsDropped, 800);

    SpawnPickup(50, 10, 7, 13);
    const PickUps& p = PickUpsList.back();
    EXPECT_EQ(p.WhichOne, 13);
    EXPECT_EQ(p.radius, 290);  // 50 orbit units of 5.8 pixels
    EXPECT_EQ(p.ExtraLife, 7);
    for (const PickUps& q : PickUpsList) {
        EXPECT_GE(q.DropSpeed, 0.1f);
        EXPECT_LE(q.DropSpeed, 0.6f);
        EXPECT_TRUE(q.rotatespeed == 1 || q.rotatespeed == -1);
    }
}

TEST_F(PickupsTest, FallsOnePixelAFrameAndIsLostOnTheEarth) {
    SpawnPickup(50, 180, 0, 0);  // below the Earth, away from the base on top
    int frames = 0;
    while (!PickUpsList.empty() && frames < 1000) {
        const int before = PickUpsList.front().radius;
        UpdatePickups(1);
        ++frames;
        if (!PickUpsList.empty()) {
            ASSERT_EQ(PickUpsList.front().radius, before - 1);
        }
    }
    // Lost once within 8 pixels of the rim (20 x 5.8 = 116): drawn at 123,
    // having fallen from 290 a pixel a frame.
    EXPECT_EQ(frames, 290 - 123 + 1);
    EXPECT_EQ(StatPickupsCaught, 0);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(StarsList.size(), 10u);  // the bounce's streaks
}

TEST_F(PickupsTest, TheBaseCatchesItAndTheEffectStarts) {
    SpawnPickup(30, 0, 0, 0);  // right above the base
    for (int i = 0; i < 200 && !PickUpsList.empty(); ++i) UpdatePickups(1);
    ASSERT_TRUE(PickUpsList.empty());
    EXPECT_EQ(Score, 100);
    EXPECT_EQ(StatPickupsCaught, 1);
    EXPECT_EQ(SaucerLivesEarned, 1);
    EXPECT_EQ(PowerupKind, 1);  // tripleshot
    EXPECT_EQ(FlyingTextList.back().TextIndex, 1);
}

TEST_F(PickupsTest, TheSecondBaseCatchesOnlyWhileTheDoubleBaseRuns) {
    // Where the second base stood, opposite the main one.
    SecondBaseX = 512;
    SecondBaseY = 384 + 116;
    for (int kind : {0, 3}) {
        PowerupKind = kind;
        PickUpsList.clear();
        SpawnPickup(22, 180, 0, 6);  // 127 pixels out, 11 from the second base
        UpdatePickups(1);
        EXPECT_EQ(PickUpsList.empty(), kind == 3) << "PowerupKind " << kind;
    }
}

TEST_F(PickupsTest, EachSymbolIsTheFrameAndItsEmblemTurnedAsAWhole) {
    const int segments[17] = {0, 10, 10, 10, 12, 15, 13, 11, 15, 18, 13, 10, 13, 13, 16, 13, 16};
    std::vector<GlowSegment> drawn;
    GlowKnobs.capture = &drawn;
    OffsetX = 0, OffsetY = 0;
    for (int kind = 1; kind <= PickupSymbolCount; ++kind) {
        drawn.clear();
        DrawPickup(100, 200, 0, kind);
        ASSERT_EQ(int(drawn.size()), segments[kind]) << "symbol " << kind;
        for (int k = 0; k < 8; ++k) EXPECT_EQ(drawn[size_t(k)].colour1, 0xFF2CFF50u);
        EXPECT_NE(drawn[8].colour1, 0xFF2CFF50u);
    }
    // The frame's first segment, (-10,-13)-(0,-10), a quarter turn on.
    drawn.clear();
    DrawPickup(100, 200, 90, 1);
    EXPECT_NEAR(drawn[0].x1, 100 + 13, 1e-3);
    EXPECT_NEAR(drawn[0].y1, 200 - 10, 1e-3);
    EXPECT_NEAR(drawn[0].x2, 100 + 10, 1e-3);
    EXPECT_NEAR(drawn[0].y2, 200 + 0, 1e-3);
    drawn.clear();
    DrawPickup(100, 200, 0, 20);  // kinds beyond the symbols draw nothing
    EXPECT_TRUE(drawn.empty());
}

}  // namespace
