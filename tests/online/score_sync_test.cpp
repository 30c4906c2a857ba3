// The game's score sync end to end: the real network library, loaded the way
// the game loads it, against the real score server on the loopback interface.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <thread>

#include "../../server/score_server.h"
#include "app/main_menu.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "online/network_library.h"
#include "online/score_sync.h"
#include "platform/platform.h"

namespace {

class ScoreSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The library keeps its cache files in the working directory: one
        // folder per test process, so parallel tests never share them.
        const auto dir = std::filesystem::temp_directory_path() / ("orbivore-sync-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        ScoreServerConfig config;
        config.port = 0;
        config.database = ":memory:";
        config.newestVersion = "1.10";
        std::string error;
        ASSERT_TRUE(SetUpScoreServer(server, config, error)) << error;
        thread = std::thread([this] { RunScoreServer(server); });
        ASSERT_EQ(BindNetworkLibraryFrom(ORBIVORE_KOVA_PATH), 1);
        NetSetServer("http://127.0.0.1:" + std::to_string(server.port) + "/scores");
        NetSetKey("t41vb7kQz81Rk3m");
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        ASSERT_TRUE(PlatformStart(options));
    }
    void TearDown() override {
        PlatformStop();
        BindNetworkLibraryFrom("");
        StopScoreServer(server);
        if (thread.joinable()) thread.join();
        CloseScoreServer(server);
    }
    void PlayedGame(const char* name, int score, int start, int last) {
        LastPlayerName = name;
        LastScore = score;
        StartLevel = start;
        LastLevel = last;
        LastGameMode = 0;
        WavesSpawned = 1;
    }
    ScoreServer server;
    std::thread thread;
};

TEST_F(ScoreSyncTest, UploadThenDownloadListsTheScoreInLowerCase) {
    PlayedGame("Big Ada", 4520, 2, 9);
    SyncScores();
    // The screen lists rows 1 to 24: the leader is row 1, and is listed.
    ASSERT_EQ(OnlineScoreCount, 2);
    EXPECT_EQ(OnlineScores[1].name, "big ada");
    EXPECT_EQ(OnlineScores[1].score, "4520");
    EXPECT_EQ(OnlineScores[1].level, "002-009");
}

TEST_F(ScoreSyncTest, NoUploadWithoutAGamePlayed) {
    PlayedGame("Nobody", 0, 1, 1);
    SyncScores();
    for (int r = 0; r < 25; ++r) EXPECT_NE(OnlineScores[r].name, "nobody");
}

TEST_F(ScoreSyncTest, NewerVersionReplacesTheMenuFooter) {
    MenuFooterText = "old";
    CheckVersion();
    EXPECT_EQ(MenuFooterText, "  new version (v1.10) is available");
}

TEST_F(ScoreSyncTest, UnreachableServerListsNothingAndLeavesTheFooter) {
    NetSetServer("http://127.0.0.1:1/scores");
    MenuFooterText = "old";
    OnlineScoreCount = 5;
    SyncScores();
    CheckVersion();
    EXPECT_EQ(OnlineScoreCount, -1);
    EXPECT_EQ(MenuFooterText, "old");
}

}  // namespace
