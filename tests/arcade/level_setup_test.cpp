// A level's set-up: its title screen's timing and texts, the lists it
// empties and the wave it releases.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "arcade/level_setup.h"
#include "combat/formations.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "effects/central_pictures.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/levels.h"
#include "game/settings.h"
#include "glow/glow_options.h"
#include "platform/platform.h"
#include "support/sound_count.h"
#include "ui/screen.h"

namespace {

// The frames of one set-up, kept apart: frame 0 is the blank before the
// title screen, so title frame n is frame n.
std::vector<std::vector<GlowSegment>> Frames;
std::vector<GlowSegment> Current;
void KeepFrame(long long) {
    Frames.push_back(Current);
    Current.clear();
}

class LevelSetupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LoadLevelTable();
        LoadWaveFormations();
        LoadInvaderShapes();
        LoadGlyphs();
        LoadCentralPictures();
        LoadPickupShapes();
        LoadLevelCombatSettings();
    }
    void SetUp() override {
        SoundOn = 0, BackgroundOn = 0, OffsetX = 0, OffsetY = 0;
        PlayerName = "Zed";
        Frames.clear();
        Current.clear();
    }
    void TearDown() override {
        GlowKnobs.capture = nullptr;
        SetFrameHook(nullptr);
        if (counting) StopSoundCount();
        PlatformStop();
    }
    // Runs SetupLevel on a fresh headless platform; returns the frames shown.
    long long Run(int level, std::vector<ScriptedKey> keys = {}, bool keepFrames = false) {
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        options.script = std::move(keys);
        EXPECT_TRUE(PlatformStart(options));
        if (keepFrames) {
            GlowKnobs.capture = &Current;
            SetFrameHook(KeepFrame);
        }
        SetupLevel(level);
        return FramesShown();
    }
    // The segments a text drawn on its own makes.
    static std::vector<GlowSegment> TextSegments(const std::string& text, float x, float y, uint32_t colour) {
        std::vector<GlowSegment> out;
        GlowKnobs.capture = &out;
        DrawVectorText(text, x, y, colour, 0, 1, 1, 0);
        GlowKnobs.capture = &Current;
        return out;
    }
    static bool Draws(const std::vector<GlowSegment>& frame, const std::vector<GlowSegment>& part) {
        if (part.empty() || part.size() > frame.size()) return false;
        for (size_t i = 0; i + part.size() <= frame.size(); ++i) {
            bool same = true;
            for (size_t j = 0; same && j < part.size(); ++j)
                same = frame[i + j].x1 == part[j].x1 && frame[i + j].y1 == part[j].y1 &&
                       frame[i + j].x2 == part[j].x2 && frame[i + j].colour1 == part[j].colour1;
            if (same) return true;
        }
        return false;
    }
    bool counting = false;
};

// Blank, title frames, blank.
constexpr long long Around = 2;

TEST_F(LevelSetupTest, TheTitleScreenEndsByItselfAfter301Frames) {
    EXPECT_EQ(Run(3), 301 + Around);
    EXPECT_EQ(IntroFrames, 301);
}

TEST_F(LevelSetupTest, AKeyEndsTheTitleScreenOnlyFromFrame61) {
    // A key scripted for frame n + 1 is seen by the scan after title frame n.
    EXPECT_EQ(Run(3, {{61, VkSpace, true}}), 301 + Around) << "a hit at frame 60 is spent for nothing";
    PlatformStop();
    EXPECT_EQ(Run(3, {{62, VkSpace, true}}), 61 + Around);
    PlatformStop();
    EXPECT_EQ(Run(3, {{10, VkReturn, true}, {11, VkReturn, false}, {150, 65, true}}), 149 + Around);
}

TEST_F(LevelSetupTest, KeysHeldAsTheLevelStartsDoNotSkipIt) {
    EXPECT_EQ(Run(3, {{0, VkReturn, true}, {0, 162, true}}), 301 + Around);
}

TEST_F(LevelSetupTest, TheTitleScreenNamesTheLevelAndTheCommander) {
    Run(7, {{100, VkReturn, true}}, true);
    ASSERT_EQ(Frames.size(), 99u + Around);
    const auto number = TextSegments("level 07", 15, 17, 0xFFFFFF00);
    const auto prepare = TextSegments("prepare for action", 10, 25.5f, 0xFF00FFFF);
    const auto name = TextSegments(TitleNameLine("Zed"), 12, 24, 0xFF00FFFF);
    std::vector<GlowSegment> title;
    GlowKnobs.capture = &title;
    DrawQuotedTextRow("Powershot upgrade", 0);
    GlowKnobs.capture = &Current;
    EXPECT_TRUE(Frames[0].empty());
    for (int n = 1; n <= 99; ++n) {
        EXPECT_TRUE(Draws(Frames[size_t(n)], number)) << n;
        EXPECT_TRUE(Draws(Frames[size_t(n)], name)) << n;
        EXPECT_TRUE(Draws(Frames[size_t(n)], title)) << n;
        // Shown in frames 1-20, 41-60, 81-99; hidden in between.
        EXPECT_EQ(Draws(Frames[size_t(n)], prepare), (n - 1) / 20 % 2 == 0) << n;
    }
    EXPECT_TRUE(Frames.back().empty());
}

TEST_F(LevelSetupTest, ASecondLineIsTheSecondQuotedRow) {
    Run(1, {{62, VkReturn, true}}, true);
    std::vector<GlowSegment> second;
    GlowKnobs.capture = &second;
    DrawQuotedTextRow("... a straight-up bug hunt!", 1);
    GlowKnobs.capture = &Current;
    EXPECT_TRUE(Draws(Frames[1], second));
}

TEST_F(LevelSetupTest, ThePlinkSoundsEvery40Frames) {
    ASSERT_TRUE(StartSoundCount());
    counting = true;
    SoundOn = 1;
    Run(3);
    EXPECT_EQ(SoundPlays("LevelDone"), 1);
    EXPECT_EQ(SoundPlays("PlinkSND"), 8);  // frames 1, 41, ... 281
}

TEST_F(LevelSetupTest, EmptiesEveryListAndReleasesTheFirstWave) {
    EnemyBulletsList.emplace_back();
    PlayerBulletsList.emplace_back();
    ExplosionsList.emplace_back();
    StarsList.emplace_back();
    PickUpsList.emplace_back();
    FlyingTextList.emplace_back();
    for (int i = 0; i < 3; ++i) EnemiesList.emplace_back();
    BaseAngle = 123, WavesSpawned = 4;
    Run(1, {{62, VkReturn, true}});
    EXPECT_TRUE(EnemyBulletsList.empty());
    EXPECT_TRUE(PlayerBulletsList.empty());
    EXPECT_TRUE(ExplosionsList.empty());
    EXPECT_TRUE(StarsList.empty());
    EXPECT_TRUE(PickUpsList.empty());
    ASSERT_EQ(EnemiesList.size(), 22u);
    std::set<int> waves;
    for (const Enemies& e : EnemiesList) waves.insert(e.WaveID);
    EXPECT_EQ(waves.size(), 1u);
    EXPECT_FLOAT_EQ(BaseAngle, 0);
    EXPECT_EQ(WavesSpawned, 1);
    EXPECT_EQ(WaveCount, 1);
}

TEST_F(LevelSetupTest, AnEmptyFirstWaveFallsBackToTheLastFormation) {
    std::vector<uint8_t> table(WaveFormations, WaveFormations + FormationTableSize);
    std::fill_n(table.begin() + 4 * FormationSize, FormationSize, uint8_t(0));  // level 5
    ASSERT_TRUE(LoadWaveFormationsFromBytes(table.data(), table.size()));
    Run(5, {{62, VkReturn, true}});
    LoadWaveFormations();
    ASSERT_EQ(EnemiesList.size(), 15u);
    int kinds[6] = {};
    for (const Enemies& e : EnemiesList) kinds[e.Frame] += 1;
    EXPECT_EQ(kinds[1], 5);
    EXPECT_EQ(kinds[2], 5);
    EXPECT_EQ(kinds[3], 5);
}

TEST_F(LevelSetupTest, ABigEarthLevelStartsItsTimeBonus) {
    Run(23, {{62, VkReturn, true}});
    EXPECT_EQ(BigEarthLevel, 1);
    EXPECT_EQ(TimeBonus, 36000);
    EXPECT_FLOAT_EQ(EarthRadius, 40);
}

}  // namespace
