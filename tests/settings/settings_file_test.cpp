#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "arcade/game_state.h"
#include "settings/settings.h"
#include "settings/settings_test_support.h"

namespace fs = std::filesystem;

namespace {

// Each test gets an empty working directory of its own, so the fixed file
// name never meets another test's file.
class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        home = fs::current_path();
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir = home / ("settings-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        SetDefaultSettings();
    }
    void TearDown() override {
        fs::current_path(home);
        fs::remove_all(dir);
    }
    fs::path home, dir;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST_F(SettingsFileTest, FirstRunHasTheDefaultsAndWritesTheFirstRunFile) {
    SetUnusualSettings();
    LoadSettings();
    // The file below spells out every first-run value; these are the ones
    // the player sees first.
    EXPECT_EQ(PlayerName, "Player1");
    EXPECT_EQ(KeyFire, 162);
    EXPECT_EQ(LocalScores[24].score, "1000");
    EXPECT_FALSE(fs::exists(SettingsFileName));  // reading never creates it

    EXPECT_TRUE(SaveSettings());
    EXPECT_EQ(ReadFile(SettingsFileName), FirstRunFile());
    EXPECT_FALSE(fs::exists(std::string(SettingsFileName) + ".tmp"));
}

TEST_F(SettingsFileTest, UnreadableFileGivesTheDefaults) {
    fs::create_directory(SettingsFileName);
    PlayerName = "Someone";
    LoadSettings();
    EXPECT_EQ(PlayerName, "Player1");
    EXPECT_EQ(SettingsBytes(), FirstRunFile());
}

TEST_F(SettingsFileTest, EveryFieldComesBackByteForByte) {
    SetUnusualSettings();
    const std::string written = SettingsBytes();
    ASSERT_TRUE(SaveSettings());
    SetDefaultSettings();
    LoadSettings();
    EXPECT_EQ(PlayerName, "\xE9\xFFme 9");  // high bytes stay themselves
    EXPECT_EQ(SpareText, "kept");
    EXPECT_EQ(LocalScores[7].spare, "x7");
    EXPECT_EQ(SettingsBytes(), written);
    EXPECT_EQ(ReadFile(SettingsFileName), written);
}

TEST_F(SettingsFileTest, FieldNineIsWrittenAsZeroWhateverWasRead) {
    std::string file = FirstRunFile();
    file.replace(32, 4, Int32(0x12345678));
    LoadSettingsFromBytes(file);
    EXPECT_EQ(SettingsBytes(), FirstRunFile());
}

TEST_F(SettingsFileTest, LineBreaksInsideATextDoNotShiftTheRecords) {
    PlayerName = "Ab\ncd\r";
    LocalScores[3].name = "two\r\nlines";
    LoadSettingsFromBytes(SettingsBytes());
    EXPECT_EQ(PlayerName, "Abcd");
    EXPECT_EQ(LocalScores[3].name, "twolines");
    EXPECT_EQ(LocalScores[24].name, "Varnok25");
    EXPECT_EQ(LocalScores[24].spare, " ");
}

TEST_F(SettingsFileTest, SavingReplacesTheOldFileWhole) {
    WriteFile(SettingsFileName, std::string(50000, 'z'));
    EXPECT_TRUE(SaveSettings());
    EXPECT_EQ(ReadFile(SettingsFileName), FirstRunFile());
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    WriteFile(SettingsFileName, "old settings");
    // The temporary file cannot be made where a directory stands.
    const fs::path blocker = std::string(SettingsFileName) + ".tmp";
    fs::create_directory(blocker);
    WriteFile(blocker / "keep", "x");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(SaveSettings());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("settings not saved"), std::string::npos);
    EXPECT_EQ(ReadFile(SettingsFileName), "old settings");
    EXPECT_TRUE(fs::exists(blocker / "keep"));

    testing::internal::CaptureStderr();
    EXPECT_FALSE(SaveSettingsFile((dir / "no such folder" / "x.dat").string()));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}

}  // namespace
