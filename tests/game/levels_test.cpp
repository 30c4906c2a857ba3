#include <gtest/gtest.h>

#include <string>

#include "combat/invaders.h"
#include "common/resources.h"
#include "game/game_state.h"
#include "game/levels.h"

namespace {

class LevelTableTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadLevelTable(); }
};

float Special(const LevelRow& row, const std::string& name) {
    for (const LevelSetting& s : row.Specials)
        if (s.name == name) return s.value;
    return -1;
}

TEST_F(LevelTableTest, SampleRowsReadAsWritten) {
    EXPECT_EQ(LevelTable[1].Title, "Learning the basics");
    EXPECT_EQ(LevelTable[1].SecondLine, "... a straight-up bug hunt!");
    EXPECT_EQ(LevelTable[16].Waves, 4);
    EXPECT_EQ(LevelTable[16].PickupKind, 21);
    EXPECT_EQ(LevelTable[16].Carriers, 8);
    const int hp25[5] = {999, 3, 999, 999, 999};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(LevelTable[25].HitPoints[k], hp25[k]);
    EXPECT_EQ(LevelTable[25].SecondLine, "Odd man out is a socialist!");
    EXPECT_EQ(Special(LevelTable[25], "InvaderFireChance"), 133);
    EXPECT_EQ(LevelTable[72].SecondLine, "...well, i've done it. ;-)");
    EXPECT_EQ(LevelTable[97].Title, "five-double speed, slow descent.");
    EXPECT_FLOAT_EQ(Special(LevelTable[97], "PowerupDecay"), 0.75f);
    EXPECT_EQ(LevelTable[100].SecondLine, "");
    EXPECT_EQ(LevelTable[100].HitPoints[0], 10000);
}

TEST_F(LevelTableTest, EveryLevelHasATitleAndSaneNumbers) {
    int special = 0;
    for (int l = 1; l <= LevelTotal; ++l) {
        const LevelRow& row = LevelTable[l];
        EXPECT_FALSE(row.Title.empty()) << l;
        EXPECT_GE(row.Waves, 1) << l;
        special += row.Waves == 99;
    }
    EXPECT_EQ(special, 18);  // six saucer, six overlord and six big-Earth levels
}

TEST_F(LevelTableTest, DefaultsThenRowSetTheLevelParameters) {
    EarthGrowPerHit = 5, MaxInvaderShots = 1, BossLevel = 1, SaucersShot = 4;
    ApplyLevelDefaults(35);
    EXPECT_EQ(BossLevel, 0);
    EXPECT_EQ(SaucersShot, 0);
    EXPECT_FLOAT_EQ(EarthGrowPerHit, 0.2f);
    EXPECT_EQ(MaxInvaderShots, 16);
    EXPECT_EQ(FireCooldown, 20);
    EXPECT_EQ(TargetRingTimer, 240);
    ApplyLevelRow(35);
    EXPECT_EQ(BossLevel, 1);
    EXPECT_EQ(BossBurstRadius, 40);
    EXPECT_EQ(InvaderFireChance, 300);
    EXPECT_FLOAT_EQ(EarthGrowPerHit, 0.1f);
    EXPECT_EQ(WaveCount, 99);
    EXPECT_EQ(LevelPickupKind, 1);
    EXPECT_EQ(PickupCarriers, 2);

    ApplyLevelDefaults(23);
    ApplyLevelRow(23);
    EXPECT_EQ(BigEarthLevel, 1);
    EXPECT_FLOAT_EQ(EarthRadius, 40);
    EXPECT_EQ(BigEarthTarget, 20);
    EXPECT_EQ(MaxInvaderShots, 8);

    ApplyLevelRow(55);
    EXPECT_EQ(InvaderHp[1], 10);
    EXPECT_EQ(InvaderHp[4], 3);
    ApplyLevelRow(101);  // outside the table: nothing changes
    EXPECT_EQ(InvaderHp[1], 10);
}

TEST_F(LevelTableTest, FewerInvaderShotsBeforeLevelEleven) {
    ApplyLevelDefaults(10);
    EXPECT_EQ(MaxInvaderShots, 11);
    ApplyLevelDefaults(11);
    EXPECT_EQ(MaxInvaderShots, 16);
}

// A valid table with one line replaced.
std::string TableWith(int level, const std::string& line) {
    std::string out;
    for (int l = 1; l <= LevelTotal; ++l)
        out += l == level ? line + "\n" : std::to_string(l) + " | \"t\" | \"\" | 1 1 1 1 1 | 1 | 0 | 0 |\n";
    return out;
}

TEST(LevelTableParse, FaultsAreReportedWithTheirLine) {
    static LevelRow rows[LevelTotal + 1];
    EXPECT_EQ(ParseLevelTable(TableWith(0, ""), rows), "");
    EXPECT_EQ(ParseLevelTable(TableWith(7, "7 | \"t\" | \"\" | 1 1 1 1 1 | 1 | 0 | 0 | Bogus=3"), rows),
              "line 7: unknown special setting \"Bogus\"");
    EXPECT_EQ(ParseLevelTable(TableWith(9, "10 | \"t\" | \"\" | 1 1 1 1 1 | 1 | 0 | 0 |"), rows),
              "line 9: expected level 9");
    EXPECT_EQ(ParseLevelTable("1 | \"t\" | \"\" | 1 1 1 1 1 | 1 | 0 | 0 |\n", rows), "only 1 of 100 levels");
}

}  // namespace

TEST(LevelTitle, NumberAndNameLine) {
    EXPECT_EQ(LevelNumberText(7), "07");
    EXPECT_EQ(LevelNumberText(42), "42");
    EXPECT_EQ(LevelNumberText(100), "100");
    EXPECT_EQ(TitleNameLine("Ann"), "   Ann....   ");  // 7 + 3 + 3
    EXPECT_EQ(TitleNameLine(""), "     ....     ");  // grows by twos past 13 to 14
    EXPECT_EQ(TitleNameLine("Commander"), "Commander....");
}
