#include "combat_fixture.h"

namespace {

using BaseTest = CombatTest;

TEST_F(BaseTest, TheOutlineHas41SegmentsInItsColours) {
    ASSERT_EQ(BaseShape.Count(), BaseSegmentCount);
    int flicker = 0;
    for (const PictureSegment& s : BaseShape.segments) flicker += s.colour == BaseFlickerColour;
    EXPECT_EQ(flicker, 41 - 18);
    EXPECT_EQ(BaseShape.segments[17].colour, 0xFFFFFFFFu);  // the gun
    EXPECT_EQ(BaseShape.segments[17].y2, -27);
}

TEST_F(BaseTest, EachShieldLookDrawsItsSegmentsAndTheBaseIsRecorded) {
    const int expected[3] = {18, 26, 33};
    for (int look = 0; look < 3; ++look) {
        BaseShieldLook = look;
        const auto segments = DrawnBy([] { DrawBase(90, 0); });
        EXPECT_EQ(int(segments.size()), expected[look]) << look;
        for (size_t i = 18; i < segments.size(); ++i) EXPECT_GE(segments[i].colour1, 0xFFFF3CB0u);  // flicker
    }
    EXPECT_EQ(BaseX, 512 + 116);
    EXPECT_EQ(BaseY, 384);
    // Turned to 90 degrees, the gun points right, away from the Earth.
    BaseShieldLook = 0;
    const GlowSegment gun = DrawnBy([] { DrawBase(90, 0); })[17];
    EXPECT_NEAR(gun.x2 - gun.x1, 12, 1e-3);
    DrawBase(270, 1);
    EXPECT_EQ(SecondBaseX, 512 - 116);
    EXPECT_EQ(BaseX, 512 + 116);
}

}  // namespace
