// The game's score sync end to end: the real network library, loaded the way
// the game loads it, against the real score server on the loopback interface.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <random>
#include <thread>

#include "../../server/score_server.h"
#include "app/main_menu.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "kova/loopback_server.h"
#include "online/highscores.h"
#include "online/network_library.h"
#include "online/score_sync.h"
#include "platform/platform.h"

namespace {

// The game's side as it runs: the library bound from its file, talking to
// the server at this address, on a headless platform.
void ConnectTheGame(const std::string& url, const std::vector<ScriptedKey>& keys = {}) {
    // The library keeps its cache files in the working directory: one
    // folder per test process, so parallel tests never share them.
    const auto dir = std::filesystem::temp_directory_path() / ("orbivore-sync-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    ASSERT_EQ(BindNetworkLibraryFrom(ORBIVORE_KOVA_PATH), 1);
    NetSetServer(url + "/scores");
    NetSetKey("t41vb7kQz81Rk3m");
    PlatformOptions options;
    options.kind = PlatformKind::HeadlessNoGL;
    options.script = keys;
    ASSERT_TRUE(PlatformStart(options));
}

void DisconnectTheGame() {
    PlatformStop();
    BindNetworkLibraryFrom("");
}

class ScoreSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        ScoreServerConfig config;
        config.port = 0;
        config.database = ":memory:";
        config.newestVersion = "1.10";
        std::string error;
        ASSERT_TRUE(SetUpScoreServer(server, config, error)) << error;
        thread = std::thread([this] { RunScoreServer(server); });
        ConnectTheGame("http://127.0.0.1:" + std::to_string(server.port));
    }
    void TearDown() override {
        DisconnectTheGame();
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

// A server that answers the score download with whatever body it is given.
class ServedReplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.Route("/scores/orbivore_win.php",
                     [this](const httplib::Request&, httplib::Response& response) { response.set_content(body, "text/plain"); });
        server.Start();
        ConnectTheGame(server.Url());
        for (ScoreRow& row : OnlineScores) row.name = row.level = row.score = " ";
        LastScore = 0;
    }
    void TearDown() override { DisconnectTheGame(); }
    LoopbackServer server;
    std::string body;
};

TEST_F(ServedReplyTest, RandomBytesListNothing) {
    std::mt19937 random(35);
    for (int i = 0; i < 4096; ++i) body += char(random() & 0xFF);
    SyncScores();
    EXPECT_EQ(OnlineScoreCount, 0);
    int filled = 0;
    for (const ScoreRow& row : OnlineScores) filled += row.name + row.level + row.score != "   ";
    EXPECT_EQ(filled, 0);
}

TEST_F(ServedReplyTest, OnlyWholeRowsAreKeptAndALongScoreStaysInItsColumn) {
    body = "-\n000-000\n0\n"
           "Ada\n001-009\n4520\n"
           "\xC3\x28\x01\n001-002\n5\n"      // control bytes in the name
           "bob\n001-002 and more\n7\n"       // no level text
           "eve\nCLA-004\nnine\n"             // no number
           "tenletters\nCLA-004\n1234567890123\n"
           "end\n";
    SyncScores();
    ASSERT_EQ(OnlineScoreCount, 3);
    EXPECT_EQ(OnlineScores[1].name, "Ada");
    EXPECT_EQ(OnlineScores[2].score, "1234567890123");
    EXPECT_EQ(OnlineScores[3].name + OnlineScores[3].level + OnlineScores[3].score, "   ");
    EXPECT_EQ(ScoreListLine(2, OnlineScores[2].name, OnlineScores[2].score, OnlineScores[2].level, true),
              " 2).   Tenletters 4567890123    Levels: CLA-004");
}

// A server that takes the requests and answers none until let go. Without
// Escape the game would sit through the upload's and the download's whole
// time-outs, one after the other.
TEST(StalledServer, EscapeStopsTheWaitAndTheNextSyncThrowsTheLateReplyAway) {
    LoopbackServer server;
    server.HoldingRoute("/scores/orbivore_win.php");
    server.Start();
    ConnectTheGame(server.Url(), {{20, VkEscape, true}, {21, VkEscape, false}});
    LastScore = 4520, WavesSpawned = 1, LastPlayerName = "ada";
    EXPECT_FALSE(SyncScores());
    EXPECT_EQ(OnlineScoreCount, -1);
    EXPECT_EQ(NetCommandsInQueue(), 1);  // the running upload; the waiting download was cancelled

    server.WaitForRequests(1);
    server.Release();
    EXPECT_TRUE(SyncScores());
    // The first upload, then the second sync's upload and download.
    EXPECT_EQ(server.Targets().size(), 3u);
    EXPECT_EQ(OnlineScoreCount, 0);  // "late": one line, no row
    DisconnectTheGame();
}

}  // namespace
