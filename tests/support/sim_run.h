// Runs the whole program headless in the test process: start-up, the menu
// and whatever the scripted keys lead to, for a fixed number of frames.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

struct SimRun {
    std::vector<ScriptedKey> keys;
    std::vector<ScriptedPad> pad;  // a virtual pad, plugged in by the script
    long long frames = 100;
    long long seed = 1;
    PlatformKind kind = PlatformKind::HeadlessNoGL;
    // Called for every frame just before it is shown (frame 0 is the first).
    std::function<void(long long)> onFrame;
    // Runs start from the first-run settings unless this keeps the file the
    // previous run of this test process saved.
    bool keepSettings = false;
};

// Returns the program's exit code. Every test process runs the program in
// a working directory of its own (SimDirectory), so that parallel tests never
// read each other's settings file.
int RunSim(const SimRun& run);
std::string SimDirectory();

// A scripted key press (hit, then held) at a frame and its release a frame later.
void Tap(std::vector<ScriptedKey>& keys, int frame, int key);
// The same with a pad button, and the stick's x (axis 0) or y (1) moved at a frame.
void Tap(std::vector<ScriptedPad>& pad, int frame, PadButton button);
void Stick(std::vector<ScriptedPad>& pad, int frame, int axis, float value);
