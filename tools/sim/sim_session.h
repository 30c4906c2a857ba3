// What the simulator does at the keyboard each frame: the bot's keys, the
// start level, recording and replaying. Shared by orbivore-sim and the tests.
#pragma once

#include <vector>

#include "platform/platform.h"
#include "sim_replay.h"

struct SimSession {
    bool bot = false;
    bool plan = false;       // the planning player (see planner.h) instead of the bot
    bool human = false;      // the human-model player (see human_player.h) instead of the bot
    int startLevel = 0;      // 1..100: the level select offers it (0 leaves the settings' own)
    bool record = false;     // keeps the keys and settings in `recorded`
    const Replay* replay = nullptr;  // its settings are put back once the program has read its own
    Replay recorded;
};

// Installs the session's input hook for the next run (a nullptr removes it).
// The replay's keys themselves go in as the platform's key script.
void BeginSimSession(SimSession* session);
