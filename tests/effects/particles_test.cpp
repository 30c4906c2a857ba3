#include <cmath>

#include "common/maths.h"
#include "effects_fixture.h"

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

TEST_F(ParticlesTest, UnknownKindsAndEmptyCountsMakeNothing) {
    SpawnParticles(10, 10, 10, -1);
    SpawnParticles(10, 10, 10, 4);
    SpawnParticles(10, 10, 0, 0);
    SpawnParticles(10, 10, -5, 2);
    EXPECT_TRUE(StarsList.empty());
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

}  // namespace
