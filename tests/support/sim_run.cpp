#include "support/sim_run.h"

#include "app/startup.h"

namespace {
std::function<void(long long)> CurrentHook;
void ForwardFrame(long long frame) {
    if (CurrentHook) CurrentHook(frame);
}
}  // namespace

int RunSim(const SimRun& run) {
    PlatformOptions options;
    options.kind = run.kind;
    options.script = run.keys;
    options.frameLimit = run.frames;
    CurrentHook = run.onFrame;
    SetFrameHook(ForwardFrame);
    const int code = RunOrbivore(options, run.seed);
    SetFrameHook(nullptr);
    CurrentHook = nullptr;
    return code;
}

void Tap(std::vector<ScriptedKey>& keys, int frame, int key) {
    keys.push_back({frame, key, true});
    keys.push_back({frame + 1, key, false});
}
