#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "online/highscores.h"
#include "online/network_library.h"
#include "online/score_sync.h"
#include "platform/platform.h"
#include "support/sim_run.h"

namespace {

// The first-run table: Varnok01..25 scoring 25000 down to 1000.
void FillDefaultTable() {
    for (int i = 0; i < 25; ++i) {
        LocalScores[i].name = "Varnok" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1);
        LocalScores[i].score = std::to_string(25000 - 1000 * i);
        LocalScores[i].level = std::to_string(25 - i);
        LocalScores[i].spare = " ";
    }
}

void FinishGame(int score) {
    Score = score;
    PlayerName = "Ada";
    StartLevel = 3;
    LastLevel = 17;
    LastGameMode = 0;
    AddLocalScore(score);
}

TEST(LocalScores, EqualScoreGoesBelowAndRow24FallsOut) {
    FillDefaultTable();
    TopScore = 0;
    FinishGame(22000);  // row 3's score
    EXPECT_EQ(LocalScores[3].score, "22000");
    EXPECT_EQ(LocalScores[3].name, "Varnok04");
    EXPECT_EQ(LocalScores[4].name, "Ada");
    EXPECT_EQ(LocalScores[4].level, "003-017");
    EXPECT_EQ(LocalScores[5].name, "Varnok05");
    EXPECT_EQ(LocalScores[24].score, "2000");  // 1000 was pushed out
    EXPECT_EQ(LastScore, 22000);
    EXPECT_EQ(TopScore, 22000);
}

TEST(LocalScores, NewBestGoesOnTopAndLowScoresStayOut) {
    FillDefaultTable();
    FinishGame(99999);
    EXPECT_EQ(LocalScores[0].name, "Ada");
    EXPECT_EQ(LocalScores[1].name, "Varnok01");
    FillDefaultTable();
    FinishGame(1000);  // not above row 24
    for (int i = 0; i < 25; ++i) EXPECT_NE(LocalScores[i].name, "Ada");
}

TEST(LevelText, ArcadeAndClassicForms) {
    EXPECT_EQ(MakeLevelText(0, 3, 17), "003-017");
    EXPECT_EQ(MakeLevelText(0, 1, 100), "001-100");
    EXPECT_EQ(MakeLevelText(1, 0, 7), "CLA-007");
    EXPECT_EQ(MakeLevelText(1, 0, 1234), "CLA-234");  // wider numbers keep their last three digits
}

TEST(ScoreList, LineLayoutOfLocalAndOnlineRows) {
    EXPECT_EQ(ScoreListLine(2, "varnok03", "23000", "23", false), " 2).   Varnok03       23000    Level: 23");
    EXPECT_EQ(ScoreListLine(12, "ALONGERNAMEHERE", "123", "001-009", true),
              "12).   Alongernam        123    Levels: 001-009");
    EXPECT_EQ(ScoreListLine(1, "x", "123456789012", "1", false).substr(17, 10), "3456789012");
}

TEST(ServerText, ControlCharactersAndOverlongFieldsCannotReachTheSettingsFile) {
    EXPECT_EQ(CleanServerText("bad\r\nname\x01", 32), "badname");
    EXPECT_EQ(CleanServerText(std::string(100, 'a'), 32), std::string(32, 'a'));
    EXPECT_EQ(CleanServerText("\r\n", 32), " ");
}

TEST(Upload, NameInLowerCaseWithEveryField) {
    LastPlayerName = "Big Ada";
    LastLevelText = "001-004";
    LastScore = 4520;
    EXPECT_EQ(UploadRequest("07 Dec 2026"),
              "orbivore_win.php?option=addscore&user=big ada&level=001-004&point=4520&date=07 Dec 2026"
              "&version=1.00&mz_ip=127.0.0.1&platform=windows");
}

TEST(ScoreSync, WithoutTheLibraryNothingIsDownloadedAndNothingWaits) {
    PlatformOptions options;
    options.kind = PlatformKind::HeadlessNoGL;
    ASSERT_TRUE(PlatformStart(options));
    BindNetworkLibraryFrom("/nonexistent/libkova.so");
    OnlineScoreCount = 7;
    SyncScores();
    CheckVersion();
    EXPECT_EQ(OnlineScoreCount, -1);
    EXPECT_LT(FramesShown(), 3);
    PlatformStop();
}

// The highscore screen, reached from the menu with a press of fire or
// Enter, takes no second press as the upload for its first half second.
TEST(HighscoreScreen, FireInItsFirstHalfSecondUploadsNothing) {
    SimRun run;
    run.frames = 60;
    Tap(run.keys, 2, VkLeft);
    Tap(run.keys, 4, VkLeft);  // "show scores"
    Tap(run.keys, 6, VkReturn);
    Tap(run.keys, 20, 162);  // the fire key
    EXPECT_EQ(RunSim(run), 0);
    EXPECT_EQ(OnlineScores[1].name, "varnok") << "the rows were cleared for a sync";
}

}  // namespace
