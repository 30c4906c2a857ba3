#include <gtest/gtest.h>

#include "combat/invaders.h"
#include "common/maths.h"

namespace {

void ExpectPoints(const int32_t* slot, int x1, int y1, int x2, int y2) {
    EXPECT_EQ(slot[2], x1);
    EXPECT_EQ(slot[3], y1);
    EXPECT_EQ(slot[4], x2);
    EXPECT_EQ(slot[5], y2);
}

class InvaderShapesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadInvaderShapes(); }
};

TEST_F(InvaderShapesTest, UnrotatedOutlinesAreTheListedSegments) {
    const int32_t* s = InvaderShapes[0][1][0];  // kind 1 frame 1, first segment
    EXPECT_EQ(s[0], 18);
    EXPECT_EQ(uint32_t(s[1]), 0xFF3188FFu);
    ExpectPoints(s, -7, -7, 7, -7);
    EXPECT_EQ(s[6], 0x31);
    EXPECT_EQ(s[7], 0x88);
    EXPECT_EQ(s[8], 0xFF);
    const int counts[13] = {0, 18, 18, 19, 19, 19, 19, 34, 34, 28, 28, 1, 1};
    for (int shape = 0; shape < 13; ++shape) {
        EXPECT_EQ(InvaderShapes[0][shape][0][0], counts[shape]) << shape;
        for (int v = 0; v < 9; ++v) EXPECT_EQ(InvaderShapes[90][shape][counts[shape]][v], 0) << shape;
    }
    // The cat's frame 2 turns four segments a brighter red; its last segment is a whisker.
    EXPECT_EQ(uint32_t(InvaderShapes[0][8][12][1]), 0xFFF80E00u);
    const int32_t* whisker = InvaderShapes[0][8][33];
    ExpectPoints(whisker, -6, 2, -16, 6);
    // The beam target line, and its copy as shape 12.
    for (int shape : {11, 12}) {
        ExpectPoints(InvaderShapes[0][shape][0], -16, 12, 18, 12);
    }
}

// (x, y) turned by a becomes (x cos a - y sin a, x sin a + y cos a), cut toward zero.
TEST_F(InvaderShapesTest, RotatedPointsAreTruncatedTowardZero) {
    // Kind 1 frame 1, segment 1 runs (7,-7)-(17,-3).
    // 6.06 + 3.5, 3.5 - 6.06 = -2.56, 14.72 + 1.5, 8.5 - 2.60
    ExpectPoints(InvaderShapes[30][1][1], 9, -2, 16, 5);
    // Beam target line at 90 degrees: (-16,12) -> (-12.0, -16.0), (18,12) -> (-12, 18).
    const int32_t* t = InvaderShapes[90][11][0];
    for (int v = 2; v < 6; ++v) {
        const float a = 90, x = v < 4 ? -16.0f : 18.0f, y = 12;
        const float expected = v % 2 == 0 ? x * Cos(a) - y * Sin(a) : x * Sin(a) + y * Cos(a);
        EXPECT_EQ(t[v], TruncToInt(expected)) << v;
    }
    EXPECT_EQ(InvaderShapes[360][3][5][2], InvaderShapes[0][3][5][2]);
}

TEST(InvaderShapeText, FaultsLeaveTheTableEmpty) {
    EXPECT_EQ(BuildInvaderShapes("shape 1 2\nFF3188FF (0,0)-(1,1)\n"), "line 2: shape 1 is missing or has the wrong number of segments");
    EXPECT_EQ(InvaderShapes[0][1][0][0], 0);
    EXPECT_EQ(BuildInvaderShapes("shape 1 1\nFF3188FF (0,0)-(1,\n"), "line 2: expected segments written (x1,y1)-(x2,y2)");
    LoadInvaderShapes();
}

TEST(InvaderSteps, AnimationFlipsEveryEighteenFrames) {
    Enemies e;
    e.Frame = 4;
    for (int f = 0; f < 17; ++f) AnimateInvader(e);
    EXPECT_EQ(InvaderShapeNumber(e), 7);
    AnimateInvader(e);
    EXPECT_EQ(InvaderShapeNumber(e), 8);
    EXPECT_EQ(e.SoundToggle, 1);
}

TEST(InvaderSteps, AngleNormalisation) {
    Enemies e;
    e.angle = 359.5f;
    NormaliseInvaderAngle(e);
    EXPECT_FLOAT_EQ(e.angle, 359.5f);  // between 359 and 360 stays
    e.angle = 370;
    NormaliseInvaderAngle(e);
    EXPECT_FLOAT_EQ(e.angle, 10);
    e.angle = -0.5f;
    NormaliseInvaderAngle(e);
    EXPECT_FLOAT_EQ(e.angle, 359.5f);
}

// Every pattern over 100 frames, against the same steps worked out in floats.
TEST(InvaderSteps, MovementPatternsInSinglePrecision) {
    struct Step {
        int pattern;
        float dr, da;  // per frame, for Direction 0.1
    };
    const float d = 0.1f, r = -0.033f;
    const Step steps[] = {{0, r, d},          {1, r, 2.0f * d},        {2, r / 2.0f, d / 2.0f},
                          {3, r / 3.0f, d / 3.0f}, {4, r * 2.0f, 4.0f * d}, {5, r / 3.0f, d},
                          {6, r / 2.0f, 5.0f * d}, {7, 0, 0}};
    for (const Step& s : steps) {
        Enemies e;
        e.radius = 80, e.angle = 10, e.Direction = d;
        float radius = 80, angle = 10;
        for (int f = 0; f < 100; ++f) {
            MoveInvader(e, s.pattern);
            radius += s.dr, angle += s.da;
        }
        EXPECT_EQ(e.radius, radius) << s.pattern;
        EXPECT_EQ(e.angle, angle) << s.pattern;
    }
}

TEST(InvaderSteps, MarchTempo) {
    EXPECT_EQ(MarchInterval(36, 0), 12);
    EXPECT_EQ(MarchInterval(20, 0), 20);
    EXPECT_EQ(MarchInterval(10, 0), 28);
    EXPECT_EQ(MarchInterval(20, 10), 12);
    EXPECT_EQ(MarchInterval(40, 11), 28);
    EXPECT_EQ(MarchInterval(10, 10), 28);  // the later rule wins
}

TEST(InvaderSteps, MarchAlternatesItsTwoSteps) {
    WalkInterval = 3, WalkTimer = 2, WalkToggle = 0;
    EXPECT_EQ(StepMarch(), 0);
    EXPECT_EQ(StepMarch(), 2);
    EXPECT_EQ(WalkTimer, 3);
    EXPECT_EQ(StepMarch(), 0);
    EXPECT_EQ(StepMarch(), 0);
    EXPECT_EQ(StepMarch(), 1);
    WalkTimer = 0;  // never set up: the march still starts
    EXPECT_EQ(StepMarch(), 2);
}

}  // namespace
