// A bot game recorded and played back: the replay must reach the very same
// state, and the file must refuse damage rather than play something else.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "arcade/state_hash.h"
#include "combat/invaders.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "sim_replay.h"
#include "sim_session.h"
#include "support/sim_run.h"

namespace {

uint64_t PlayAndHash(SimSession& session, const SimRun& run) {
    // A replay starts where the program starts. The march's beat is the one
    // thing start-up leaves as the previous run in this process left it.
    WalkTimer = 20, WalkToggle = 0;
    BeginSimSession(&session);
    EXPECT_EQ(RunSim(run), 0);
    BeginSimSession(nullptr);
    return GameStateHash();
}

TEST(Replay, ABotGameOverSeveralLevelsReplaysToTheSameState) {
    SimRun run;
    run.frames = 9000;
    run.seed = 5;
    SimSession recording;
    recording.bot = true;
    recording.startLevel = 2;
    recording.record = true;
    const uint64_t recorded = PlayAndHash(recording, run);
    EXPECT_GE(Level, 4) << "the bot should have finished levels 2 and 3";
    const int levelReached = Level, scoreReached = Score;

    // Only the keys a person has.
    const std::set<int> allowed = {KeyLeft, KeyRight, KeyFire, KeyShield, VkReturn};
    for (const ScriptedKey& k : recording.recorded.keys) ASSERT_TRUE(allowed.count(k.key)) << k.key;

    recording.recorded.seed = run.seed;
    recording.recorded.frames = run.frames;
    const std::string path = SimDirectory() + "/bot.replay";
    std::string error;
    ASSERT_TRUE(WriteReplay(path, recording.recorded, error)) << error;
    Replay replay;
    ASSERT_TRUE(ReadReplay(path, replay, error)) << error;

    // The settings file the first run saved must not matter: the replay
    // brings its own (here a level select that would offer level 4).
    SimRun again;
    again.frames = replay.frames;
    again.seed = replay.seed;
    again.keys = replay.keys;
    again.keepSettings = true;
    SimSession playback;
    playback.replay = &replay;
    EXPECT_EQ(PlayAndHash(playback, again), recorded);
    EXPECT_EQ(Level, levelReached);
    EXPECT_EQ(Score, scoreReached);
}

TEST(Replay, DamagedFilesAreRefusedWithTheLine) {
    const std::string path = SimDirectory() + "/damaged.replay";
    const auto refused = [&](const std::string& text) {
        std::ofstream(path) << text;
        Replay r;
        std::string error;
        const bool read = ReadReplay(path, r, error);
        return read ? std::string() : error;
    };
    const std::string head = "orbivore-replay 1\nseed 3\nframes 100\n";
    EXPECT_EQ(refused(head + "setting KeyLeft 37\nkey 4 down 37\nkey 9 up 37\n"), "");
    EXPECT_NE(refused("seed 3\n").find("not a replay"), std::string::npos);
    EXPECT_NE(refused(head + "key 9 down 37\nkey 4 up 37\n").find(":5:"), std::string::npos);  // out of order
    EXPECT_NE(refused(head + "key 4 down 300\n"), "");
    EXPECT_NE(refused(head + "key 4 sideways 37\n"), "");
    EXPECT_NE(refused(head + "key 4 down 37 junk\n"), "");
    EXPECT_NE(refused(head + "setting HighestLevel 101\n"), "");
    EXPECT_NE(refused(head + "setting PlayerName 3\n"), "");
    EXPECT_NE(refused("orbivore-replay 1\nseed -1\n"), "");
    EXPECT_NE(refused("orbivore-replay 1\nseed\n"), "");
    EXPECT_NE(refused(head + "pad 4 press z\n"), "");
    EXPECT_NE(refused(head + "pad 4 axis 0 1.5\n"), "");
    EXPECT_NE(refused(head + "pad 9 connect\npad 4 disconnect\n"), "");

    // A pad's steps come back as they were written.
    Replay written;
    written.pad = {{2, ScriptedPad::Action::Connect},
                   {5, ScriptedPad::Action::Press, PadButton::DpLeft},
                   {6, ScriptedPad::Action::Axis, PadButton::A, 1, -0.3f},
                   {9, ScriptedPad::Action::Disconnect}};
    std::string error;
    ASSERT_TRUE(WriteReplay(path, written, error));
    Replay read;
    ASSERT_TRUE(ReadReplay(path, read, error)) << error;
    ASSERT_EQ(read.pad.size(), 4u);
    EXPECT_EQ(read.pad[1].button, PadButton::DpLeft);
    EXPECT_EQ(read.pad[2].axis, 1);
    EXPECT_EQ(read.pad[2].value, -0.3f);
    EXPECT_EQ(read.pad[3].action, ScriptedPad::Action::Disconnect);
}

}  // namespace
