#include <cmath>

#include "common/maths.h"
#include "effects_fixture.h"
#include "game/game_state.h"
#include "glow/glow.h"

namespace {

class ExplosionsTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        LoadBaseShapeTable();
        Frozen = 0;
        PowerupKind = 0;
        BaseX = 600, BaseY = 300;
    }
};

TEST_F(ExplosionsTest, FrozenPassKeepsEffectsStillButDebrisFliesAndExpires) {
    SpawnExplosion(100, 100, HitFlash, 0);
    SpawnExplosion(100, 100, StarBurst, 0);
    SpawnExplosion(100, 100, ShockRing, -1, ShockRingYellow);
    SpawnExplosion(100, 100, BaseWreck, 0);
    UpdateExplosions(0);  // the ring gets a radius to show
    SpawnExplosion(512, 384, DebrisDots, 0);
    ASSERT_EQ(ExplosionsList.size(), 4u + 41u);
    std::vector<Explosions> still(ExplosionsList.begin(), std::next(ExplosionsList.begin(), 4));

    for (int frame = 0; frame < 300; ++frame) UpdateExplosions(1);

    ASSERT_EQ(ExplosionsList.size(), 4u);  // debris lives at most 180 frozen calls
    int i = 0;
    for (const Explosions& e : ExplosionsList) {
        EXPECT_EQ(e.fCount, still[i].fCount);
        EXPECT_EQ(e.fAngle, still[i].fAngle);
        EXPECT_EQ(e.radius, still[i].radius);
        EXPECT_EQ(e.fLength, still[i].fLength);
        EXPECT_EQ(e.WaitDelay, still[i].WaitDelay);
        ++i;
    }
    EXPECT_EQ(Frozen, 0);
}

TEST_F(ExplosionsTest, DebrisAgesTwicePerMovingFrameAndOncePerFrozenOne) {
    SpawnExplosion(512, 384, DebrisStreaks, 0);
    ASSERT_EQ(ExplosionsList.size(), 64u);
    const Explosions first = ExplosionsList.front();
    UpdateExplosions(0);
    EXPECT_EQ(ExplosionsList.front().fCount, first.fCount - 2);
    UpdateExplosions(1);
    EXPECT_EQ(ExplosionsList.front().fCount, first.fCount - 3);
}

TEST_F(ExplosionsTest, FrozenHitFlashShowsTheSameRaysEveryFrame) {
    SpawnExplosion(200, 150, HitFlash, 0);
    const auto first = DrawnBy([] { UpdateExplosions(1); });
    const auto second = DrawnBy([] { UpdateExplosions(1); });
    ASSERT_EQ(first.size(), 5u);
    EXPECT_TRUE(SameSegments(first, second));
    for (const GlowSegment& s : first) {
        EXPECT_EQ(s.x1, 200);
        EXPECT_EQ(s.y1, 150);
        EXPECT_EQ(s.colour1, 0xFFFF0000u);
        EXPECT_EQ(s.colour2, 0xFFFFFF00u);
        EXPECT_EQ(s.width, float(LineWidth20));
    }
    const auto moving = DrawnBy([] { UpdateExplosions(0); });
    EXPECT_FALSE(SameSegments(first, moving));  // a live flash flickers
}

TEST_F(ExplosionsTest, RedRingFirstShowsAtRadius40) {
    SpawnExplosion(300, 300, ShockRing, 1, ShockRingRed);
    SpawnExplosion(300, 300, ShockRing, -1, ShockRingYellow);
    const Explosions& red = ExplosionsList.front();
    EXPECT_EQ(red.col1, 0xFFFF2020u);
    EXPECT_EQ(ExplosionsList.back().col1, 0xFFFFFF20u);
    for (int frame = 1; frame <= 9; ++frame) {
        const auto segments = DrawnBy([] { UpdateExplosions(0); });
        EXPECT_EQ(segments.size(), 18u) << "only the yellow ring shows in frame " << frame;
    }
    const auto segments = DrawnBy([] { UpdateExplosions(0); });
    ASSERT_EQ(segments.size(), 36u);
    EXPECT_EQ(segments[0].colour1, 0xFFFF2020u);
    EXPECT_NEAR(std::hypot(segments[0].x1 - 300, segments[0].y1 - 300), 40, 1e-3);
    EXPECT_NEAR(std::hypot(segments[0].x2 - 300, segments[0].y2 - 300), 80, 1e-3);
    EXPECT_EQ(red.fAngle, 10);  // turning one way, the yellow ring the other
    EXPECT_EQ(ExplosionsList.back().fAngle, -10);
}

TEST_F(ExplosionsTest, RingFrozenBeforeItGrewDrawsNothingDegenerate) {
    SpawnExplosion(300, 300, ShockRing, 1, ShockRingYellow);
    const auto segments = DrawnBy([] { UpdateExplosions(1); });
    EXPECT_TRUE(segments.empty());
}

TEST_F(ExplosionsTest, BaseWreckCyclesItsPhasesThenUnfreezesTheGame) {
    Frozen = 1;
    SpawnExplosion(0, 0, BaseWreck, 0);
    std::vector<size_t> counts;
    std::vector<uint32_t> colours;
    for (int frame = 1; frame <= 60; ++frame) {
        const auto segments = DrawnBy([] { UpdateExplosions(0); });
        counts.push_back(segments.size());
        colours.push_back(segments.empty() ? 0 : segments[0].colour1);
        if (frame == 1) {
            EXPECT_EQ(segments[0].x1, float(BaseX + BaseShapeTable[0].segments[0].x1));
        }
        EXPECT_EQ(Frozen, frame < 60 ? 1 : 2);
    }
    EXPECT_TRUE(ExplosionsList.empty());
    EXPECT_EQ(counts[0], 16u);
    EXPECT_EQ(colours[0], 0xFFFFFFFFu);
    EXPECT_EQ(counts[8], 16u);
    EXPECT_EQ(counts[9], 17u);
    EXPECT_EQ(colours[9], 0xFF808080u);
    EXPECT_EQ(counts[18], 16u);
    EXPECT_EQ(colours[18], 0xFF404040u);
    EXPECT_EQ(colours[27], 0xFFFFFFFFu);
}

TEST_F(ExplosionsTest, BaseWreckIsDrawnAtBothBasesUnderTheDoubleBase) {
    PowerupKind = 3;
    SecondBaseX = 424, SecondBaseY = 468;
    SpawnExplosion(0, 0, BaseWreck, 0);
    const auto segments = DrawnBy([] { UpdateExplosions(1); });
    PowerupKind = 0;
    ASSERT_EQ(segments.size(), 32u);
    EXPECT_EQ(segments[16].x1 - segments[0].x1, float(SecondBaseX - BaseX));
    EXPECT_EQ(segments[16].y1 - segments[0].y1, float(SecondBaseY - BaseY));
}

TEST_F(ExplosionsTest, UnknownKindIsAnInvisibleObjectFor24Frames) {
    SpawnExplosion(50, 60, 2, 0);
    SpawnExplosion(50, 60, 99, 0);
    ASSERT_EQ(ExplosionsList.size(), 2u);
    for (int frame = 1; frame <= 23; ++frame) {
        EXPECT_TRUE(DrawnBy([] { UpdateExplosions(0); }).empty());
    }
    EXPECT_EQ(ExplosionsList.size(), 2u);
    UpdateExplosions(0);
    EXPECT_TRUE(ExplosionsList.empty());
}

TEST_F(ExplosionsTest, WreckOutlinesHaveSixteenPiecesNearTheBase) {
    for (const VectorPicture& outline : BaseShapeTable) {
        ASSERT_EQ(outline.Count(), BaseWreckSegments);
        for (const PictureSegment& s : outline.segments) {
            EXPECT_TRUE(s.x1 != s.x2 || s.y1 != s.y2);
            for (int v : {s.x1, s.y1, s.x2, s.y2}) EXPECT_LE(std::abs(v), 48);
        }
    }
}

}  // namespace
