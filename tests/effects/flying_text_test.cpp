#include <cmath>

#include "common/maths.h"
#include "effects_fixture.h"
#include "game/game_state.h"
#include "glow/glow.h"

namespace {

class FlyingTextTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        LoadCaptionShapes();
    }
};

int FramesToFullSize(int caption) {
    FlyingTextList.clear();
    SpawnFlyingText(caption, 0);
    int frames = 0;
    while (FlyingTextList.front().zoom <= 1 && frames < 500) UpdateFlyingTexts(1), ++frames;
    return frames;
}

TEST_F(FlyingTextTest, BaseDestroyedGrowsTwiceAsFast) {
    // 0.99 to grow at 0.015 or 0.03 a frame: the last step lands on 1, just.
    EXPECT_NEAR(FramesToFullSize(1), 66.5, 0.5);
    EXPECT_NEAR(FramesToFullSize(BaseDestroyedCaption), 33.5, 0.5);
}

TEST_F(FlyingTextTest, AFifthCaptionIsDropped) {
    for (int i = 1; i <= 4; ++i) SpawnFlyingText(i, 0);
    LevelFreshStart = 1;
    SpawnFlyingText(5, 0);
    ASSERT_EQ(FlyingTextList.size(), 4u);
    EXPECT_EQ(LevelFreshStart, 1);  // a dropped caption queues nothing
    for (const FlyingText& t : FlyingTextList) EXPECT_NE(t.TextIndex, 5);
    FlyingTextList.pop_front();
    SpawnFlyingText(5, 0);
    EXPECT_EQ(FlyingTextList.back().TextIndex, 5);
    EXPECT_EQ(LevelFreshStart, 0);
}

TEST_F(FlyingTextTest, DelayedCaptionAppearsWithRingsAndDrawOnlyStillCountsDown) {
    SpawnFlyingText(7, 0);  // no delay: shown at once, without rings
    EXPECT_FALSE(DrawnBy([] { UpdateFlyingTexts(1); }).empty());
    EXPECT_TRUE(StarsList.empty());
    FlyingTextList.clear();

    SpawnFlyingText(23, 3);
    EXPECT_TRUE(DrawnBy([] { UpdateFlyingTexts(0); }).empty());
    EXPECT_TRUE(DrawnBy([] { UpdateFlyingTexts(1); }).empty());
    EXPECT_TRUE(StarsList.empty());
    const auto shown = DrawnBy([] { UpdateFlyingTexts(0); });
    EXPECT_EQ(shown.size(), size_t(CaptionShapes[23].Count()));
    ASSERT_EQ(StarsList.size(), 3u * RingParticles);
    EXPECT_EQ(StarsList.front().x, 512);
    EXPECT_EQ(StarsList.front().y, 384);
    EXPECT_FLOAT_EQ(FlyingTextList.front().zoom, 0.01f);  // drawn, not grown
    UpdateFlyingTexts(1);
    EXPECT_EQ(StarsList.size(), 3u * RingParticles);  // the rings come once
}

TEST_F(FlyingTextTest, SegmentsAreScaledTurnedAndBobbed) {
    SpawnFlyingText(3, 0);
    FlyingText& t = FlyingTextList.front();
    t.zoom = 0.5f, t.angle = 90, t.Sinus = 90, t.Yoffset = -10;
    const auto segments = DrawnBy([] { UpdateFlyingTexts(0); });
    const PictureSegment& s = CaptionShapes[3].segments[0];
    ASSERT_FALSE(segments.empty());
    // A quarter turn clockwise: (x, y) goes to (-y, x), around (512, 386 - 120 - 10).
    EXPECT_NEAR(segments[0].x1, 512 - float(s.y1) * 0.5f, 1e-3);
    EXPECT_NEAR(segments[0].y1, 256 + float(s.x1) * 0.5f, 1e-3);
    EXPECT_EQ(segments[0].colour1, s.colour);
    EXPECT_EQ(segments[0].width, float(LineWidth24));
}

TEST_F(FlyingTextTest, CaptionTiltsWithinBoundsFliesUpAndIsGoneAfterZoom4) {
    SpawnFlyingText(2, 0);
    int frames = 0;
    float lowest = 0, highest = 0;
    int lastYoffset = 0;
    while (!FlyingTextList.empty() && frames < 500) {
        const FlyingText& t = FlyingTextList.front();
        lowest = std::min(lowest, t.angle), highest = std::max(highest, t.angle);
        lastYoffset = t.Yoffset;
        UpdateFlyingTexts(1);
        ++frames;
    }
    // 67 frames to full size, 34 more to 1.5, then fast to 4.
    EXPECT_GE(frames, 110);
    EXPECT_LE(frames, 120);
    EXPECT_GT(highest, 20);
    EXPECT_LE(highest, 20.75f);
    EXPECT_LT(lowest, -20);
    EXPECT_GE(lowest, -20.75f);
    EXPECT_LT(lastYoffset, -100);
}

TEST_F(FlyingTextTest, UnknownCaptionIndexDrawsNothing) {
    SpawnFlyingText(0, 0);
    SpawnFlyingText(24, 0);
    SpawnFlyingText(-3, 0);
    EXPECT_TRUE(DrawnBy([] { UpdateFlyingTexts(1); }).empty());
    EXPECT_EQ(FlyingTextList.size(), 3u);
}

TEST_F(FlyingTextTest, EveryCaptionFillsMuchOfTheScreenAndFitsIt) {
    for (int i = 1; i <= CaptionCount; ++i) {
        const VectorPicture& c = CaptionShapes[i];
        ASSERT_GT(c.Count(), 10) << "caption " << i;
        int left = 0, right = 0, top = 0, bottom = 0;
        for (const PictureSegment& s : c.segments) {
            EXPECT_TRUE(s.x1 != s.x2 || s.y1 != s.y2) << "caption " << i;
            EXPECT_EQ(s.colour >> 24, 0xFFu) << "caption " << i;
            left = std::min({left, s.x1, s.x2}), right = std::max({right, s.x1, s.x2});
            top = std::min({top, s.y1, s.y2}), bottom = std::max({bottom, s.y1, s.y2});
        }
        // Drawn at (512, 386) at zoom 1, tilted up to 20 degrees.
        EXPECT_LE(std::max(-left, right), 480) << "caption " << i;
        EXPECT_LE(std::max(-top, bottom), 300) << "caption " << i;
        EXPECT_GE(right - left, 300) << "caption " << i;
        EXPECT_GE(bottom - top, 50) << "caption " << i;
    }
}

}  // namespace
