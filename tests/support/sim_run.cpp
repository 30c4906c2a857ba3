#include "support/sim_run.h"

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "app/startup.h"
#include "game/settings.h"

namespace {
std::function<void(long long)> CurrentHook;
void ForwardFrame(long long frame) {
    if (CurrentHook) CurrentHook(frame);
}
std::filesystem::path Home, RunDirectory;

void LeaveRunDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(Home, ignored);
    std::filesystem::remove_all(RunDirectory, ignored);
}

void EnterRunDirectory() {
    if (!RunDirectory.empty()) return;
    Home = std::filesystem::current_path();
    RunDirectory = Home / ("sim-" + std::to_string(getpid()));
    std::filesystem::create_directories(RunDirectory);
    std::filesystem::current_path(RunDirectory);
    std::atexit(LeaveRunDirectory);
}
}  // namespace

std::string SimDirectory() {
    EnterRunDirectory();
    return RunDirectory.string();
}

int RunSim(const SimRun& run) {
    EnterRunDirectory();
    if (!run.keepSettings) std::filesystem::remove(SettingsFileName);
    PlatformOptions options;
    options.kind = run.kind;
    options.script = run.keys;
    options.padScript = run.pad;
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

void Tap(std::vector<ScriptedPad>& pad, int frame, PadButton button) {
    pad.push_back({frame, ScriptedPad::Action::Press, button});
    pad.push_back({frame + 1, ScriptedPad::Action::Release, button});
}

void Stick(std::vector<ScriptedPad>& pad, int frame, int axis, float value) {
    pad.push_back({frame, ScriptedPad::Action::Axis, PadButton::A, axis, value});
}
