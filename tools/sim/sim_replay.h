// Replays: the seed, the settings that steer play, and every key change of a
// run, frame by frame, so that a second run reaches exactly the same state.
//
// The file is text:
//   orbivore-replay 1
//   seed 7
//   frames 12000
//   setting KeyLeft 37          (one line per setting below)
//   key 120 down 39             (frame, down or up, virtual-key code)
//   focus 300 out               (frame, the window's focus out or in)
//   pad 1 connect               (frame, and connect, disconnect,
//   pad 40 press a               press or release a button,
//   pad 90 axis 0 -1             or the left stick's x (0) or y (1) axis)
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct ReplaySetting {
    std::string name;
    int value = 0;
};

struct Replay {
    long long seed = 1;
    long long frames = -1;
    std::vector<ReplaySetting> settings;
    std::vector<ScriptedKey> keys;
    std::vector<ScriptedPad> pad;
};

bool WriteReplay(const std::string& path, const Replay& replay, std::string& error);
// Refuses a file that is not a replay or has a damaged line, saying which.
bool ReadReplay(const std::string& path, Replay& out, std::string& error);

// The settings a replay carries: the keys, the level select's limit, and the
// switches that change play (the march only steps while sound is on).
void CaptureReplaySettings(Replay& replay);
void ApplyReplaySettings(const Replay& replay);
