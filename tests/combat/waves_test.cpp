#include <gtest/gtest.h>

#include <set>

#include "combat/formations.h"
#include "combat/invaders.h"
#include "combat/waves.h"
#include "common/random.h"
#include "game/game_state.h"
#include "game/levels.h"

namespace {

class SpawnWaveTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LoadWaveFormations();
        LoadLevelTable();
    }
    void SetUp() override {
        EnemiesList.clear();
        SeedRandom(7);
        for (int k = 1; k <= 5; ++k) InvaderHp[k] = k + 1;
        PickupCarriers = 0;
    }
};

TEST_F(SpawnWaveTest, ReleasesTheFormationOuterRingFirst) {
    SpawnWave(20);
    ASSERT_EQ(EnemiesList.size(), size_t(FormationInvaderCount(20)));
    const Enemies& first = EnemiesList.front();
    EXPECT_FLOAT_EQ(first.radius, 120);  // ring 5
    EXPECT_EQ(first.Frame, 2);           // cell 1 of ring 5
    const float start = first.angle - 13;
    EXPECT_GE(start, 1);
    EXPECT_LE(start, 359);
    const Enemies& last = EnemiesList.back();
    EXPECT_FLOAT_EQ(last.radius, 96);  // ring 2, cell 22
    EXPECT_FLOAT_EQ(last.angle, start + 13 * 22);
    for (const Enemies& e : EnemiesList) {
        EXPECT_EQ(e.HitPoints, e.Frame + 1);
        EXPECT_EQ(e.Score, 10 * e.Frame);
        EXPECT_EQ(e.PowerupPayload, 0);
    }
    EXPECT_GE(UfoTimer, 2000);
    EXPECT_LE(UfoTimer, 4000);
}

TEST_F(SpawnWaveTest, AWaveSharesIdAndDirectionAndWavesStartApart) {
    std::set<int> starts, ids;
    for (int w = 0; w < 6; ++w) {
        EnemiesList.clear();
        SpawnWave(1);
        const Enemies& first = EnemiesList.front();
        EXPECT_TRUE(first.Direction == 0.1f || first.Direction == -0.1f);
        EXPECT_GE(first.WaveID, 1);
        EXPECT_LE(first.WaveID, 65000);
        for (const Enemies& e : EnemiesList) {
            EXPECT_EQ(e.WaveID, first.WaveID);
            EXPECT_EQ(e.Direction, first.Direction);
        }
        starts.insert(int(first.angle));
        ids.insert(first.WaveID);
    }
    EXPECT_GT(starts.size(), 3u);
    EXPECT_GT(ids.size(), 3u);
}

TEST_F(SpawnWaveTest, CarriersAreChosenOnlyAmongTheNewWave) {
    SpawnWave(1);
    for (const Enemies& e : EnemiesList) EXPECT_EQ(e.PowerupPayload, 0);  // no carriers asked for

    PickupCarriers = 3;
    SpawnWave(2);
    int carriers = 0, oldCarriers = 0;
    for (const Enemies& e : EnemiesList) {
        carriers += e.PowerupPayload;
        if (e.WaveID == EnemiesList.front().WaveID) oldCarriers += e.PowerupPayload;
    }
    EXPECT_EQ(carriers, 3);
    EXPECT_EQ(oldCarriers, 0);
}

TEST_F(SpawnWaveTest, MoreCarriersThanInvadersMakesEveryOneACarrier) {
    PickupCarriers = 40;
    SpawnWave(101);
    ASSERT_EQ(EnemiesList.size(), 15u);
    for (const Enemies& e : EnemiesList) EXPECT_EQ(e.PowerupPayload, 1);
}

TEST_F(SpawnWaveTest, NoFormationNoInvaders) {
    PickupCarriers = 2;
    SpawnWave(0);
    SpawnWave(102);
    EXPECT_TRUE(EnemiesList.empty());
    std::vector<uint8_t> none(FormationTableSize, 0);
    ASSERT_TRUE(LoadWaveFormationsFromBytes(none.data(), none.size()));
    SpawnWave(5);
    EXPECT_TRUE(EnemiesList.empty());
    LoadWaveFormations();
}

}  // namespace
