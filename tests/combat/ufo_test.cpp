#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/sound.h"
#include "combat/game_over.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow_options.h"

namespace {

class UfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadUfoShapes();
        SeedRandom(9);
        UfoState = 0, UfoTimer = 0, SaucerLevel = 0, SaucersLeft = 0, SaucersShot = 0;
        EarthRadius = 20;
        SoundOn = 0;
        OffsetX = 0, OffsetY = 0;
        PickUpsList.clear();
        ExplosionsList.clear();
        StarsList.clear();
        ResetGameStats();
        Score = 0;
        LevelPickupKind = 7;
    }
    void TearDown() override { GlowKnobs.capture = nullptr; }

    // Frames until the UFO is gone, at most `limit`.
    int FramesUntilGone(int limit = 2000) {
        int frames = 0;
        while (UfoState != 0 && frames < limit) UpdateUfo(), ++frames;
        return frames;
    }
};

TEST_F(UfoTest, OutlineTurnsWithTheRimFirst) {
    EXPECT_EQ(UfoShapes[0][0][0], UfoSegments - 1);
    EXPECT_EQ(UfoShapes[0][0][1], int32_t(0xFFFA8717));
    EXPECT_EQ(UfoShapes[0][0][2], -40);
    EXPECT_EQ(UfoShapes[0][0][3], 3);
    // A quarter turn: (x, y) becomes (-y, x), as for the invaders, truncated
    // toward zero (-2.9999998 is -2).
    EXPECT_EQ(UfoShapes[90][0][2], -2);
    EXPECT_EQ(UfoShapes[90][0][3], -40);
    EXPECT_EQ(UfoShapes[90][0][4], -3);
    EXPECT_EQ(UfoShapes[90][0][5], 40);
    EXPECT_EQ(UfoShapes[360][24][2], UfoShapes[0][24][2]);
}

TEST_F(UfoTest, DrawnWithAFixedWidthAboutTheCentrePlusTheOffset) {
    std::vector<GlowSegment> drawn;
    GlowKnobs.capture = &drawn;
    OffsetX = 128, OffsetY = 16;
    DrawUfo(0, -196, 0);  // where the instructions page shows it
    ASSERT_EQ(drawn.size(), size_t(UfoSegments));
    EXPECT_FLOAT_EQ(drawn[0].x1, 512 + 128 - 40);
    EXPECT_FLOAT_EQ(drawn[0].y1, 384 + 16 - 196 + 3);
    for (const GlowSegment& s : drawn) {
        EXPECT_FLOAT_EQ(s.width, 20);
        EXPECT_EQ(s.colour1, s.colour2);
    }
}

TEST_F(UfoTest, SaucersComeOneAfterAnotherUntilNoneAreLeft) {
    SaucerLevel = 1;
    SaucersLeft = 3;
    UfoTimer = 3000;  // a wave's timer does not hold saucers back
    int came = 0;
    for (int frame = 0; frame < 5000 && (SaucersLeft > 0 || UfoState != 0); ++frame) {
        const int before = UfoState;
        UpdateUfo();
        came += before == 0 && UfoState == 1;
        if (before == 0) {
            EXPECT_EQ(UfoState, 1) << "the pass after one is gone brings the next";
        }
    }
    EXPECT_EQ(came, 3);
    EXPECT_EQ(SaucersLeft, 0);
    UpdateUfo();
    EXPECT_EQ(UfoState, 0);
}

TEST_F(UfoTest, CirclesItsOrbitFor75FramesThoughTheEarthChanges) {
    StartUfo();
    EXPECT_EQ(UfoOrbitRadius, 320);
    int frames = 0;
    while (UfoRadius > 320 && frames < 500) UpdateUfo(), ++frames;
    EXPECT_EQ(frames, 107);  // from 640 three pixels a frame
    const float arrivedAt = UfoAngle;
    EarthRadius = 30;  // grown while it circles
    int circling = 1;    // the arriving frame counts
    while (UfoState == 1) {
        UpdateUfo();
        ++circling;
        if (UfoState == 1) {
            ASSERT_FLOAT_EQ(UfoRadius, 319);
        }
    }
    EXPECT_EQ(circling, 75);
    EXPECT_EQ(UfoOrbitRadius, 320);
    EXPECT_NEAR(std::fmod(UfoAngle - arrivedAt + 720, 360.0f), 74 + 2, 0.01);  // a degree a frame, then two
    FramesUntilGone();
    EXPECT_EQ(UfoState, 0);
}

TEST_F(UfoTest, DestroyedByAShotOrTheBeam) {
    StartUfo();
    DestroyUfo(400, 300, 1);
    EXPECT_EQ(UfoState, 0);
    EXPECT_EQ(Score, 1000);
    EXPECT_EQ(StatUfosShot, 1);
    EXPECT_EQ(SaucersShot, 1);
    ASSERT_EQ(PickUpsList.size(), 1u);
    EXPECT_EQ(PickUpsList.front().ExtraLife, 7);
    EXPECT_EQ(PickUpsList.front().radius, TruncToInt(float(TruncToInt(640 / 5.8f)) * 5.8f));
    EXPECT_EQ(ExplosionsList.size(), 2u);

    StartUfo();
    LevelPickupKind = 0;
    DestroyUfo(400, 300, 0);  // the beam: not counted for a saucer level
    EXPECT_EQ(SaucersShot, 1);
    EXPECT_EQ(StatUfosShot, 2);
    EXPECT_EQ(PickUpsList.size(), 1u);  // a level without pickups drops none
}

TEST_F(UfoTest, AShotAcrossTheHullMissesAndOneAcrossTheRimHits) {
    StartUfo();
    UfoAngle = 0, UfoRadius = 320;  // rim 317 pixels above the centre, hull top 341
    PlayerBulletsList.clear();
    PlayerBullets shot;
    shot.startradius = 20;
    shot.radius = 218;  // 336..346 pixels out after this frame's move
    PlayerBulletsList.push_back(shot);
    UpdatePlayerShots();
    EXPECT_EQ(UfoState, 1);
    EXPECT_EQ(PlayerBulletsList.size(), 1u);
    PlayerBulletsList.front().radius = 196;  // 312..322: across the rim
    UpdatePlayerShots();
    EXPECT_EQ(UfoState, 0);
    EXPECT_EQ(SaucersShot, 1);
    EXPECT_TRUE(PlayerBulletsList.empty());
}

TEST_F(UfoTest, OnlySaucerLevelUfosAreHeard) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ASSERT_GT(LoadAllSounds(), 0);
    SoundOn = 1;
    ApplyPowerup(12);  // called by the pickup: silent
    UpdateUfo();
    EXPECT_EQ(UfoState, 1);
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 0);

    UfoState = 0;
    SaucerLevel = 1, SaucersLeft = 10;
    UpdateUfo();
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 1);
    EXPECT_EQ(Sound::IsPlaying("BlipSND"), 1);
    DestroyUfo(500, 200, 0);  // by the beam: the UFO pass silences it
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 1);
    SaucerLevel = 0, SaucersLeft = 0;
    UpdateUfo();
    EXPECT_EQ(Sound::IsPlaying("ufo3-loop"), 0);
    CloseAudio();
}

}  // namespace
