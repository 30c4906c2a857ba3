// The settings file is written as soon as there is progress worth keeping,
// so a session killed outright (SIGKILL: nothing runs on the way out) loses
// nothing from before: a finished game's score, a level reached.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

#include "combat/invaders.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "support/sim_run.h"

namespace {

// Runs the program in a child process that kills itself with SIGKILL in the
// first frame where `killNow` holds; then reads what the file kept.
void RunUntilKilled(SimRun run, const std::function<bool()>& killNow) {
    SimDirectory();  // the child and this process share the folder
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        run.onFrame = [&](long long) {
            if (killNow()) raise(SIGKILL);
        };
        RunSim(run);
        _exit(3);  // never reached the moment: no atexit, the folder stays
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended with status " << status;
    ASSERT_EQ(LoadSettingsFile(SimDirectory() + "/" + SettingsFileName), SettingsFileState::Read);
}

void StartArcadeGame(SimRun& run) {
    Tap(run.keys, 40, VkReturn);
    Tap(run.keys, 50, VkReturn);
    Tap(run.keys, 120, VkReturn);  // past the level's title screen
}

TEST(ProgressSaving, AFinishedGamesScoreSurvivesASigkill) {
    SimRun run;
    run.frames = 2000;
    StartArcadeGame(run);
    Tap(run.keys, 200, VkEscape);
    Tap(run.keys, 210, VkY);  // the game ends through the exit prompt
    RunUntilKilled(run, [] {
        if (GameOverState == 0 && Lives > 0 && !EnemiesList.empty()) Score = 54321;
        return LastScore == 54321;  // recorded; the menu comes next
    });
    EXPECT_EQ(LocalScores[0].score, "54321");
    EXPECT_EQ(LocalScores[0].level, "001-001");
    EXPECT_EQ(TopScore, 54321);
}

TEST(ProgressSaving, ALevelCompletedSurvivesASigkillOnTheWayToTheNext) {
    SimRun run;
    run.frames = 2000;
    StartArcadeGame(run);
    RunUntilKilled(run, [] {
        if (Level == 1 && Lives > 0 && IntroFrames > 0 && !EnemiesList.empty()) {
            // The level's invaders are gone at once: it completes after this frame.
            EnemiesList.clear();
            ExplosionsList.clear();
            FlyingTextList.clear();
            WavesSpawned = WaveCount;
        }
        return Level == 2;  // its completion screens run
    });
    EXPECT_EQ(HighestLevel, 2);
}

}  // namespace
