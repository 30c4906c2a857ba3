#include "combat/earth.h"

#include "combat_fixture.h"

namespace {

using EarthTest = CombatTest;

TEST_F(EarthTest, PendingShrinkTakesAFifthAFrameForItsStepsAndStopsAt20) {
    struct Case {
        float perKill, start, end;
    };
    for (const Case& c : {Case{0.4f, 22, 22}, Case{1, 22, 21.8f}, Case{15, 22, 20}, Case{15, 30, 27}}) {
        EarthRadius = c.start;
        EarthShrinkSteps = TruncToInt(c.perKill);  // as a deflected kill sets it
        for (int i = 0; i < 40; ++i) EarthUpkeep();
        EXPECT_NEAR(EarthRadius, c.end, 1e-3) << c.perKill << " from " << c.start;
        EXPECT_EQ(EarthShrinkSteps, 0);
    }
}

TEST_F(EarthTest, TheEarthPickupsRunToTheirSizeAndEnd) {
    EarthRadius = 21;
    PowerupKind = 13;
    PowerupTime = 50;
    EarthUpkeep();
    EXPECT_FLOAT_EQ(EarthRadius, 20.5f);
    EXPECT_EQ(PowerupKind, 13);
    EarthUpkeep();
    EXPECT_FLOAT_EQ(EarthRadius, 20);
    EXPECT_EQ(PowerupKind, 0);
    EXPECT_FLOAT_EQ(PowerupTime, 0);
    EXPECT_EQ(PowerupBarShown, 1);

    PowerupKind = 14;
    for (int i = 0; i < 20; ++i) EarthUpkeep();
    EXPECT_FLOAT_EQ(EarthRadius, 26);
    EXPECT_EQ(PowerupKind, 0);
    EXPECT_EQ(PowerupBarShown, 0);
}

}  // namespace
