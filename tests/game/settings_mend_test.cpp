// Damaged and hand-edited settings files: they must load into values the
// game can run with.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "game/game_state.h"
#include "game/settings.h"
#include "game/settings_test_support.h"

namespace {

std::string WithInt(size_t at, int value) {
    std::string file = FirstRunFile();
    file.replace(at, 4, Int32(value));
    return file;
}

std::string WithByte(size_t at, int value) {
    std::string file = FirstRunFile();
    file[at] = char(value);
    return file;
}

void ExpectUsable() {
    for (int key : {KeyLeft, KeyRight, KeyFire, KeyShield}) {
        EXPECT_GE(key, 1);
        EXPECT_LE(key, 254);
    }
    for (int flag : {FullScreen, BackgroundOn, JoystickOn, ClassicUnlocked, SoundOn, MusicOn}) {
        EXPECT_TRUE(flag == 0 || flag == 1);
    }
    EXPECT_GE(HighestLevel, 1);
    EXPECT_LE(HighestLevel, 100);
    EXPECT_GE(GlowAmount, -2);
    EXPECT_LE(GlowAmount, 2);
    EXPECT_GE(OnlineScoreCount, -1);
    EXPECT_LE(OnlineScoreCount, 25);
    EXPECT_GE(TopScore, 0);
    EXPECT_LE(PlayerName.size(), MaxPlayerNameLength);
}

TEST(SettingsMend, AFileCutAmongTheNumbersKeepsDefaultsAndAmongTheTextsEmptiesThem) {
    SetUnusualSettings();
    const std::string full = SettingsBytes();
    const std::string name = "\xE9\xFFme 9";
    for (size_t n = 0; n <= full.size(); ++n) {
        SCOPED_TRACE("cut at " + std::to_string(n));
        LoadSettingsFromBytes(full.substr(0, n));
        ExpectUsable();
        EXPECT_EQ(FullScreen, n >= 4 ? 1 : 0);
        EXPECT_EQ(TopScore, n >= 12 ? 123456 : 0);
        EXPECT_EQ(KeyShield, n >= 28 ? 254 : 164);
        EXPECT_EQ(HighestLevel, n >= 37 ? 100 : 1);
        EXPECT_EQ(ScreenWidth, n >= ScreenWidthAt + 4 ? 1440 : 1024);
        EXPECT_EQ(OffsetY, n >= OffsetXAt + 8 ? 66 : 0);
        EXPECT_EQ(GlowAmount, n >= GlowAmountAt + 4 ? -2 : 0);
        EXPECT_EQ(OnlineScoreCount, n >= OnlineCountAt + 4 ? 25 : 0);
        // A line the end cuts short is what there is of it, and the lines
        // after it are empty: no default rows among the player's own.
        if (n < PlayerNameAt)
            EXPECT_EQ(PlayerName, "Player1");
        else
            EXPECT_EQ(PlayerName, name.substr(0, n - PlayerNameAt));
        if (n < PlayerNameAt) {
            EXPECT_EQ(LocalScores[24].name, "Varnok25");
            EXPECT_EQ(LocalScores[24].spare, " ");
        } else if (n < full.size() - 200) {
            EXPECT_EQ(LocalScores[24].name, "");
            EXPECT_EQ(LocalScores[24].score, "");
            EXPECT_EQ(LocalScores[24].spare, "");
        }
    }
    EXPECT_EQ(SettingsBytes(), full);
}

// Start-up tries whatever size is stored; the offsets go with it unchanged.
TEST(SettingsMend, StoredSizesAndOffsetsAreKeptAsTheyAre) {
    std::string file = WithInt(ScreenWidthAt, 800);
    file.replace(ScreenWidthAt + 4, 4, Int32(600));
    file.replace(OffsetXAt, 4, Int32(-5000));
    LoadSettingsFromBytes(file);
    EXPECT_EQ(ScreenWidth, 800);
    EXPECT_EQ(ScreenHeight, 600);
    EXPECT_EQ(OffsetX, -5000);

    file = WithInt(ScreenWidthAt, 1280);
    file.replace(ScreenWidthAt + 4, 4, Int32(1024));  // offsets left at 0, 0
    LoadSettingsFromBytes(file);
    EXPECT_EQ(ScreenWidth, 1280);
    EXPECT_EQ(OffsetX, 0);
    EXPECT_EQ(OffsetY, 0);
}

TEST(SettingsMend, NumbersOutOfRangeAreClampedOrDefaulted) {
    struct Case {
        std::string file;
        const int* global;
        int expected;
    };
    const Case cases[] = {
        {WithInt(GlowAmountAt, 9), &GlowAmount, 2},
        {WithInt(GlowAmountAt, INT_MIN), &GlowAmount, -2},
        {WithByte(36, 0), &HighestLevel, 1},
        {WithByte(36, 200), &HighestLevel, 100},  // a byte reads back unsigned
        {WithInt(OnlineCountAt, 99), &OnlineScoreCount, 25},
        {WithInt(OnlineCountAt, -5), &OnlineScoreCount, -1},
        {WithInt(OnlineCountAt, -1), &OnlineScoreCount, -1},
        {WithInt(12, 0), &KeyLeft, 37},
        {WithInt(16, 255), &KeyRight, 39},
        {WithInt(20, -1), &KeyFire, 162},
        {WithInt(24, 100000), &KeyShield, 164},
        {WithInt(24, 1), &KeyShield, 1},
        {WithInt(0, 2), &FullScreen, 0},
        {WithInt(4, 3), &BackgroundOn, 1},
        {WithInt(28, 9), &JoystickOn, 0},
        {WithByte(37, 7), &ClassicUnlocked, 0},
        {WithInt(58, -1), &SoundOn, 1},
        {WithInt(62, 5), &MusicOn, 1},
        {WithInt(62, 0), &MusicOn, 0},
        {WithInt(8, -5), &TopScore, 0},
    };
    for (const Case& c : cases) {
        LoadSettingsFromBytes(c.file);
        EXPECT_EQ(*c.global, c.expected) << "case " << (&c - cases);
    }
}

TEST(SettingsMend, OverlongLinesAreCutWithoutShiftingTheRest) {
    std::string file = FirstRunFile();
    file.replace(PlayerNameAt, 7, std::string(300, 'A'));
    const size_t firstScore = file.find("varnok\r\n1\r\n") + 8;
    file.replace(firstScore, 1, std::string(100000, '7'));
    LoadSettingsFromBytes(file);
    EXPECT_EQ(PlayerName, std::string(10, 'A'));
    EXPECT_EQ(SpareText, " ");
    EXPECT_EQ(OnlineScores[0].score, std::string(32, '7'));
    EXPECT_EQ(OnlineScores[0].level, "001-001");
    EXPECT_EQ(LocalScores[24].name, "Varnok25");
}

}  // namespace
