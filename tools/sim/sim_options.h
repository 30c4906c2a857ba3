// Command line of orbivore-sim, the program on the headless platform.
#pragma once

#include <string>
#include <vector>

#include "human_skill.h"
#include "platform/platform.h"

struct Screenshot {
    long long frame = 0;
    std::string path;
};

struct SimOptions {
    PlatformOptions platform;
    long long seed = 1;
    std::vector<Screenshot> screenshots;
    bool stats = false;
    bool bot = false;         // a computer player at the keyboard
    bool plan = false;        // --bot plan: the planning player on the start level alone
    bool human = false;       // --bot human: the human-model player on the start level alone
    SkillLevel skill = SkillLevel::Average;
    bool skillGiven = false;
    int startLevel = 0;       // 1..100, the level the select offers
    std::string recordPath;   // writes the seed, settings and every key change
    std::string replayPath;   // plays such a file back
    bool framesGiven = false;
    bool help = false;        // --help: the options were printed, nothing runs
};

// Parses argv; on a bad argument prints why and the usage, and returns false.
bool ParseSimOptions(int argc, char** argv, SimOptions& out);

// Reads a key script ("FRAME press KEY", "FRAME release KEY", "FRAME
// focus-out", "FRAME focus-in"; '#' comments), with the pad's lines into
// `pad` (see --help).
bool ReadKeyScript(const std::string& path, std::vector<ScriptedKey>& out, std::vector<ScriptedPad>& pad,
                   std::string& error);

// The script's and the replay's names of the pad's buttons ("a", "dpup").
const char* PadButtonName(PadButton button);
bool PadButtonByName(const std::string& name, PadButton& out);
