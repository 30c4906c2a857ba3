#include <gtest/gtest.h>

#include <string>

#include "app/resources.h"
#include "arcade/game_state.h"
#include "arcade/levels.h"
#include "combat/invaders.h"

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
    const LevelRow& first = LevelTable[1];
    EXPECT_EQ(first.Title, "Learning the basics");
    EXPECT_EQ(first.SecondLine, "... a straight-up bug hunt!");
    EXPECT_EQ(first.Waves, 1);
    EXPECT_TRUE(first.Specials.empty());

    const LevelRow& tuck = LevelTable[16];
    EXPECT_EQ(tuck.Title, "The tuck shop");
    EXPECT_EQ(tuck.Waves, 4);
    EXPECT_EQ(tuck.PickupKind, 21);
    EXPECT_EQ(tuck.Carriers, 8);

    const LevelRow& attitude = LevelTable[25];
    EXPECT_EQ(attitude.SecondLine, "Odd man out is a socialist!");
    const int hp25[5] = {999, 3, 999, 999, 999};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(attitude.HitPoints[k], hp25[k]);
    EXPECT_EQ(Special(attitude, "InvaderFireChance"), 133);

    const LevelRow& boss = LevelTable[35];
    EXPECT_EQ(boss.Title, "boss challenge 2");
    EXPECT_EQ(boss.Waves, 99);
    EXPECT_EQ(Special(boss, "BossLevel"), 1);
    EXPECT_EQ(Special(boss, "BossBurstRadius"), 40);
    EXPECT_FLOAT_EQ(Special(boss, "EarthGrowPerHit"), 0.1f);

    EXPECT_EQ(LevelTable[45].Title, "Through the eye of the needle!");
    EXPECT_EQ(LevelTable[72].SecondLine, "...well, i've done it. ;-)");
    EXPECT_EQ(LevelTable[74].SecondLine, "74");
    EXPECT_EQ(LevelTable[97].Title, "five-double speed, slow descent.");
    EXPECT_FLOAT_EQ(Special(LevelTable[97], "PowerupDecay"), 0.75f);

    const LevelRow& last = LevelTable[100];
    EXPECT_EQ(last.Title, "the tale of tails.");
    EXPECT_EQ(last.SecondLine, "");
    EXPECT_EQ(last.HitPoints[0], 10000);
    EXPECT_EQ(last.PickupKind, 2);
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

    ApplyLevelDefaults(55);
    ApplyLevelRow(55);
    const int hp55[6] = {0, 10, 999, 999, 3, 999};
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(InvaderHp[k], hp55[k]) << k;
}

TEST_F(LevelTableTest, FewerInvaderShotsBeforeLevelEleven) {
    ApplyLevelDefaults(10);
    EXPECT_EQ(MaxInvaderShots, 11);
    ApplyLevelDefaults(11);
    EXPECT_EQ(MaxInvaderShots, 16);
}

TEST_F(LevelTableTest, LevelOutsideTheTableChangesNothing) {
    ApplyLevelDefaults(1);
    ApplyLevelRow(1);
    ApplyLevelRow(0);
    ApplyLevelRow(101);
    EXPECT_EQ(WaveCount, 1);
    EXPECT_EQ(LevelPickupKind, 0);
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
    EXPECT_EQ(ParseLevelTable(TableWith(3, "3 | \"t\" | \"\" | 1 1 1 1 | 1 | 0 | 0 |"), rows),
              "line 3: expected five hit points");
    EXPECT_EQ(ParseLevelTable(TableWith(9, "10 | \"t\" | \"\" | 1 1 1 1 1 | 1 | 0 | 0 |"), rows),
              "line 9: expected level 9");
    EXPECT_EQ(ParseLevelTable(TableWith(4, "4 | t | \"\" | 1 1 1 1 1 | 1 | 0 | 0 |"), rows),
              "line 4: the title must be a non-empty quoted text");
    EXPECT_EQ(ParseLevelTable(TableWith(5, "5 | \"t\" | \"\" | 1 1 1 1 1 | 1 | 0 | 0 | SaucersLeft=2.5"), rows),
              "line 5: SaucersLeft takes a whole number");
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
