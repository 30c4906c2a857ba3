#include <cmath>

#include "common/maths.h"
#include "effects_fixture.h"
#include "render/tpoly.h"
#include "settings/settings.h"

namespace {

class ParticlesTest : public EffectsTest {};

TEST_F(ParticlesTest, DrawOnlyPassMovesAndAgesNothing) {
    for (int kind = 0; kind <= 3; ++kind) SpawnParticles(300, 200, 5, kind);
    const std::list<Stars> before = StarsList;
    const auto segments = DrawnBy([] { UpdateParticles(0); });
    EXPECT_EQ(segments.size(), StarsList.size());
    ASSERT_EQ(StarsList.size(), before.size());
    auto b = before.begin();
    for (const Stars& p : StarsList) {
        EXPECT_EQ(p.x, b->x);
        EXPECT_EQ(p.y, b->y);
        EXPECT_EQ(p.life, b->life);
        EXPECT_EQ(p.radius, b->radius);
        ++b;
    }
}

TEST_F(ParticlesTest, RingBurstOfThreeStartsMovingAfter1_9And17Frames) {
    SpawnParticles(400, 300, 3, 2);
    ASSERT_EQ(StarsList.size(), 69u);
    std::vector<Stars*> firsts;
    int index = 0;
    for (Stars& p : StarsList) {
        EXPECT_EQ(p.WhatType, 2);
        if (index++ % RingParticles == 0) firsts.push_back(&p);
    }
    // Rand(20, 60) lives outlast the 17-frame wait, so the three are still there.
    int startedAt[3] = {0, 0, 0};
    for (int frame = 1; frame <= 17; ++frame) {
        UpdateParticles(1);
        for (int ring = 0; ring < 3; ++ring)
            if (startedAt[ring] == 0 && (firsts[ring]->x != 400 || firsts[ring]->y != 300)) startedAt[ring] = frame;
    }
    EXPECT_EQ(startedAt[0], 1);
    EXPECT_EQ(startedAt[1], 9);
    EXPECT_EQ(startedAt[2], 17);
}

TEST_F(ParticlesTest, RingsAreEvenlySpreadAndEachTurnedFurther) {
    SpawnParticles(512, 384, 2, 2);
    auto it = StarsList.begin();
    const float firstRing = std::atan2(it->xspeed, -it->yspeed) / DegToRad;
    std::advance(it, RingParticles);
    const float secondRing = std::atan2(it->xspeed, -it->yspeed) / DegToRad;
    EXPECT_NEAR(firstRing, 0, 1e-3);
    EXPECT_NEAR(secondRing, 5, 1e-3);
    EXPECT_NEAR(std::hypot(it->xspeed, it->yspeed), 2, 1e-4);
}

TEST_F(ParticlesTest, UnknownKindsAndEmptyCountsMakeNothing) {
    SpawnParticles(10, 10, 10, -1);
    SpawnParticles(10, 10, 10, 4);
    SpawnParticles(10, 10, 0, 0);
    SpawnParticles(10, 10, -5, 2);
    EXPECT_TRUE(StarsList.empty());
}

TEST_F(ParticlesTest, ColoursAreOpaqueWarmTones) {
    for (int kind = 0; kind <= 3; ++kind) SpawnParticles(100, 100, 50, kind);
    for (const Stars& p : StarsList) {
        EXPECT_GE(p.color, 0xFFFF3CB0u);
        EXPECT_LE(p.color, 0xFFFFD8F0u);
    }
}

TEST_F(ParticlesTest, StreaksFlyAwayFromTheCentre) {
    SpawnParticles(100, 384, 40, 1);  // left of the centre
    SpawnParticles(512, 700, 40, 1);  // below it
    int n = 0;
    for (const Stars& p : StarsList) {
        const float away = n++ < 40 ? -p.xspeed : p.yspeed;
        const float across = n <= 40 ? std::fabs(p.yspeed) : std::fabs(p.xspeed);
        EXPECT_GT(away, 0);
        EXPECT_LE(across, away * std::tan(20.5f * DegToRad));  // within 20 degrees of straight out
        EXPECT_GE(p.angle, 0.5f);
        EXPECT_LE(p.angle, 6.0f);
    }
}

int FramesUntilGone() {
    int frames = 0;
    while (!StarsList.empty() && frames < 1000) {
        UpdateParticles(1);
        ++frames;
    }
    return frames;
}

TEST_F(ParticlesTest, SparksLiveLifePlusOneFramesAndSpraysHalfAsLong) {
    SpawnParticles(500, 500, 1, 0);
    const int sparkLife = StarsList.front().life;
    EXPECT_EQ(FramesUntilGone(), sparkLife + 1);
    SpawnParticles(500, 500, 1, 3);
    const int sprayLife = StarsList.front().life;
    EXPECT_EQ(FramesUntilGone(), sprayLife / 2 + 1);
}

TEST_F(ParticlesTest, SparksAreDotsAndStreaksShowTheirStep) {
    OffsetX = 128, OffsetY = 66;
    SpawnParticles(200, 100, 1, 0);
    SpawnParticles(200, 100, 1, 3);
    const auto segments = DrawnBy([] { UpdateParticles(0); });
    OffsetX = 0, OffsetY = 0;
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].x1, 328);
    EXPECT_EQ(segments[0].y1, 166);
    EXPECT_EQ(segments[0].x2, 329);
    EXPECT_EQ(segments[0].width, float(LineWidth10));
    const Stars& spray = StarsList.back();
    EXPECT_FLOAT_EQ(segments[1].x2 - segments[1].x1, spray.xspeed);
    EXPECT_FLOAT_EQ(segments[1].y2 - segments[1].y1, spray.yspeed);
    EXPECT_LT(spray.yspeed, 0);  // upwards
    EXPECT_EQ(segments[1].width, float(LineWidth14));
}

}  // namespace
