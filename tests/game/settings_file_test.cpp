#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "game/game_state.h"
#include "game/settings.h"
#include "game/settings_test_support.h"

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

// File modes mean nothing to root, who runs the tests in CI, so the body runs
// in a child process as "nobody" there; its exit code is the result.
int AsOrdinaryUser(const fs::path& dir, int (*body)()) {
    const passwd* nobody = getpwnam("nobody");
    if (geteuid() == 0 && !nobody) return 90;
    if (geteuid() == 0) fs::permissions(dir, fs::perms::all);
    std::fflush(stderr);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)) _exit(91);
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 92;
    return WEXITSTATUS(status);
}

mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// A run of the game as far as the settings go: read, change, save.
int LoadChangeAndSave() {
    LoadSettings();
    if (PlayerName != "Player1") return 1;
    PlayerName = "Changed";
    return SaveSettings() ? 2 : 0;
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

// Only a missing file may be taken for a first run; one that exists but
// cannot be read holds the player's name, scores and progress, so the run
// plays on defaults, says so once, and leaves the file alone.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeitherUsedNorReplaced) {
    fs::create_directory(SettingsFileName);
    PlayerName = "Someone";
    testing::internal::CaptureStderr();
    LoadSettings();
    EXPECT_EQ(PlayerName, "Player1");
    EXPECT_EQ(SettingsBytes(), FirstRunFile());
    EXPECT_FALSE(SaveSettings());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot read"), std::string::npos);
    EXPECT_EQ(said.find("cannot read"), said.rfind("cannot read")) << said;
    EXPECT_TRUE(fs::is_directory(SettingsFileName));

    fs::remove(SettingsFileName);
    WriteFile(SettingsFileName, "the player's own");
    fs::permissions(SettingsFileName, fs::perms::none);
    testing::internal::CaptureStderr();
    EXPECT_EQ(AsOrdinaryUser(dir, LoadChangeAndSave), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Permission denied"), std::string::npos);
    EXPECT_EQ(ReadFile(SettingsFileName), "the player's own");
    EXPECT_EQ(ModeOf(SettingsFileName), 0u);
}

TEST_F(SettingsFileTest, AWriteProtectedFileStaysAndAWritableOneKeepsItsMode) {
    WriteFile(SettingsFileName, FirstRunFile());
    fs::permissions(SettingsFileName, fs::perms(0444));
    testing::internal::CaptureStderr();
    EXPECT_EQ(AsOrdinaryUser(dir, LoadChangeAndSave), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("settings not saved"), std::string::npos);
    EXPECT_EQ(ReadFile(SettingsFileName), FirstRunFile());
    EXPECT_EQ(ModeOf(SettingsFileName), 0444u);

    fs::permissions(SettingsFileName, fs::perms(0666));  // not what a new file would get
    EXPECT_EQ(AsOrdinaryUser(dir, LoadChangeAndSave), 2);
    EXPECT_NE(ReadFile(SettingsFileName), FirstRunFile());
    EXPECT_EQ(ModeOf(SettingsFileName), 0666u);
}

// The file is read as a stream: a line far longer than any record costs
// nothing and hides none of the records after it.
TEST_F(SettingsFileTest, AHugeLineHidesNoLaterRecord) {
    SetUnusualSettings();
    std::string file = SettingsBytes();
    file.replace(PlayerNameAt, PlayerName.size(), std::string(3 << 20, 'N'));
    WriteFile(SettingsFileName, file);
    EXPECT_EQ(LoadSettingsFile(SettingsFileName), SettingsFileState::Read);
    EXPECT_EQ(PlayerName, std::string(MaxPlayerNameLength, 'N'));
    EXPECT_EQ(SpareText, "kept");
    EXPECT_EQ(LocalScores[24].name, "Loc24");
    EXPECT_EQ(LocalScores[24].spare, "x24");
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
