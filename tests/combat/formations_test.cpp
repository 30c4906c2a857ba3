#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "combat/formations.h"
#include "game/levels.h"

namespace {

// Tests that write a "waves.dat" do it in a folder of their own, so that
// tests running side by side never read each other's file.
struct OwnDirectory {
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::path own = home / ("waves-" + std::to_string(getpid()));
    OwnDirectory() {
        std::filesystem::create_directories(own);
        std::filesystem::current_path(own);
    }
    ~OwnDirectory() {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(own);
    }
};

class FormationsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LoadWaveFormations();
        LoadLevelTable();
    }
};

// One ring of a formation as text, "." for empty.
std::string Ring(int formation, int ring) {
    std::string s;
    for (int k = 0; k < FormationCells; ++k) {
        const int v = FormationCell(formation, ring, k);
        s += v == 0 ? '.' : char('0' + v);
    }
    return s;
}

void ExpectRings(int formation, const std::vector<std::string>& ringsFromFive) {
    for (int i = 0; i < FormationRings; ++i)
        EXPECT_EQ(Ring(formation, 5 - i), ringsFromFive[size_t(i)]) << "formation " << formation << " ring " << 5 - i;
}

const std::string Empty(28, '.');

TEST_F(FormationsTest, TheTelltaleFormationsAreExact) {
    ExpectRings(1, {Empty, "131.131.131.1231.131.131.131", Empty, Empty, Empty, Empty});
    EXPECT_EQ(FormationInvaderCount(1), 22);
    const std::string two = "..........1111111...........";
    ExpectRings(2, {Empty, Empty, Empty, two, two, Empty});
    const std::string guard = "....11.......11......11.....";
    ExpectRings(20, {".222233331111..222233331111.", Empty, guard, guard, Empty, Empty});
    ExpectRings(100, {Empty, Empty, Empty, "............342.............", ".......1111111111111........", Empty});
    ExpectRings(101, {Empty, Empty, "...........33333............", "...........22222............",
                      "...........11111............", Empty});
}

TEST_F(FormationsTest, EveryLevelHasItsOwnNonEmptyFormation) {
    std::set<std::string> seen;
    for (int f = 1; f <= LevelTotal; ++f) {
        EXPECT_GT(FormationInvaderCount(f), 0) << f;
        const std::string all(reinterpret_cast<const char*>(&WaveFormations[FormationCellIndex(f, 5, 0)]),
                              FormationSize);
        EXPECT_TRUE(seen.insert(all).second) << "formation " << f << " repeats an earlier one";
    }
}

// Each kind whose hit points stand out on a level (tougher than one hit but
// still breakable) is part of that level's formation.
TEST_F(FormationsTest, FormationsUseTheKindsTheirHitPointsAreFor) {
    for (int l = 1; l <= LevelTotal; ++l) {
        const int* hp = LevelTable[l].HitPoints;
        bool allSame = true;
        for (int k = 1; k < 5; ++k) allSame = allSame && hp[k] == hp[0];
        if (allSame) continue;
        for (int kind = 1; kind <= 5; ++kind) {
            if (hp[kind - 1] <= 1 || hp[kind - 1] >= 999) continue;
            int count = 0;
            for (int r = 0; r < FormationRings; ++r)
                for (int k = 0; k < FormationCells; ++k) count += FormationCell(l, r, k) == kind;
            EXPECT_GT(count, 0) << "level " << l << " has no kind " << kind;
        }
    }
}

// Some invader of the kind can be shot at: everything nearer the Earth in
// its column can itself be shot away.
bool KindReachable(int level, int kind) {
    const int* hp = LevelTable[level].HitPoints;
    for (int k = 0; k < FormationCells; ++k)
        for (int r = 0; r < FormationRings; ++r) {
            const int v = FormationCell(level, r, k);
            if (v == kind) return true;
            if (v != 0 && hp[v - 1] >= 999) break;
        }
    return false;
}

TEST_F(FormationsTest, NukeAndBeamCarriersCanBeReached) {
    const int nukes[][2] = {{15, 1}, {25, 2}, {45, 3}, {55, 4}, {75, 1}, {85, 5}, {90, 3}};
    for (const auto& n : nukes) EXPECT_TRUE(KindReachable(n[0], n[1])) << "level " << n[0];
    EXPECT_TRUE(KindReachable(97, 5));
    EXPECT_TRUE(KindReachable(99, 5));
}

// Shots needed for the whole level, counting a practically unbreakable
// invader as ten and no more than four waves.
int LevelWork(int l) {
    const LevelRow& row = LevelTable[l];
    int work = 0;
    for (int r = 0; r < FormationRings; ++r)
        for (int k = 0; k < FormationCells; ++k) {
            const int v = FormationCell(l, r, k);
            if (v) work += std::min(row.HitPoints[v - 1], 10);
        }
    return work * std::min(row.Waves, 4);
}

TEST_F(FormationsTest, LaterLevelsAskForMoreOnAverage) {
    double third[3] = {};
    int count[3] = {};
    for (int l = 1; l <= LevelTotal; ++l) {
        const LevelRow& row = LevelTable[l];
        bool plain = row.Waves != 99 && row.PickupKind != 2;
        for (int k = 0; k < 5; ++k) plain = plain && row.HitPoints[k] < 999;
        for (const LevelSetting& s : row.Specials) plain = plain && s.name != "MaxInvaderShots";
        if (!plain) continue;
        const int t = l <= 33 ? 0 : l <= 66 ? 1 : 2;
        third[t] += LevelWork(l), count[t] += 1;
    }
    for (int t = 0; t < 3; ++t) third[t] /= count[t];
    EXPECT_LT(third[0], third[1]);
    EXPECT_LT(third[1], third[2]);
}

std::vector<uint8_t> CurrentTable() { return {WaveFormations, WaveFormations + FormationTableSize}; }

TEST_F(FormationsTest, WavesDatOfAtLeastTheTablesSizeReplacesIt) {
    const OwnDirectory own;
    const std::vector<uint8_t> builtIn = CurrentTable();
    std::vector<uint8_t> custom(FormationTableSize, 0);
    custom[size_t(FormationCellIndex(1, 0, 3))] = 5;
    {
        std::ofstream out("waves.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(custom.data()), std::streamsize(custom.size()));
    }
    LoadWaveFormations();
    EXPECT_EQ(CurrentTable(), custom);
    EXPECT_EQ(FormationCell(1, 0, 3), 5);

    for (size_t size : {size_t(0), size_t(FormationTableSize - 1), size_t(FormationTableSize + 1)}) {
        LoadWaveFormationsFromBytes(builtIn.data(), builtIn.size());
        {
            std::ofstream out("waves.dat", std::ios::binary);
            out.write(reinterpret_cast<const char*>(custom.data()), std::streamsize(std::min(size, custom.size())));
            if (size > custom.size()) out.put('\n');  // what an editor adds
        }
        LoadWaveFormations();
        EXPECT_EQ(CurrentTable(), size > custom.size() ? custom : builtIn) << size << " bytes";
    }
    std::remove("waves.dat");
    LoadWaveFormations();
    EXPECT_EQ(CurrentTable(), builtIn);
}

TEST_F(FormationsTest, CellsBeyondTheFiveKindsRejectTheFile) {
    const std::vector<uint8_t> builtIn = CurrentTable();
    std::vector<uint8_t> bad(FormationTableSize, 1);
    bad[100] = 6;
    EXPECT_FALSE(LoadWaveFormationsFromBytes(bad.data(), bad.size()));
    EXPECT_EQ(CurrentTable(), builtIn);
    bad[100] = 5;
    EXPECT_TRUE(LoadWaveFormationsFromBytes(bad.data(), bad.size()));
    EXPECT_TRUE(LoadWaveFormationsFromBytes(builtIn.data(), builtIn.size()));
}

// A text of n formations, all empty but for one cell of the first.
std::string FormationText(int n, const std::string& firstRingFive = Empty) {
    std::string text = "# comment\n";
    for (int f = 1; f <= n; ++f) {
        text += "formation " + std::to_string(f) + "  title\n";
        for (int r = 5; r >= 0; --r) text += (f == 1 && r == 5 ? firstRingFive : Empty) + "\n";
        text += "\n";
    }
    return text;
}

TEST(FormationText, ReadsRingFiveFirstAndReportsFaults) {
    std::vector<uint8_t> table(FormationTableSize, 9);
    EXPECT_EQ(ParseFormationText(FormationText(101, "4" + Empty.substr(1)), table.data()), "");
    EXPECT_EQ(table[0], 4);
    EXPECT_EQ(table[1], 0);
    EXPECT_EQ(FormationAsText(table.data(), 1).substr(0, 29), "4" + Empty.substr(1) + "\n");

    EXPECT_EQ(ParseFormationText(FormationText(100), table.data()), "line 801: only 100 of 101 formations");
    EXPECT_EQ(ParseFormationText(FormationText(101, "6" + Empty.substr(1)), table.data()),
              "line 3: cell 0 is '6', not '.' or 1 to 5");
    EXPECT_EQ(ParseFormationText("formation 2\n", table.data()), "line 1: formation 2 out of order, expected 1");
    EXPECT_EQ(ParseFormationText(FormationText(101) + "formation 102\n", table.data()),
              "line 810: more than 101 formations");
}

}  // namespace
