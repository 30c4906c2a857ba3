// The whole program on the headless platform: the bot playing level 16
// without OpenGL (simulated frames a second), start-up to the first menu
// frame, the peak memory of a bot game in a process of its own, and the mix's
// loudness over a bot game at the real pace. Each run
// starts from the first-run settings; the settings file of the build folder,
// which the program would overwrite at its end, is put back afterwards.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "audio/sound.h"
#include "bot.h"
#include "game/game_state.h"
#include "game/settings.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Moves the player's settings file aside for the run and back after it.
struct SettingsFileAside {
    const std::filesystem::path file{SettingsFileName}, aside{std::string(SettingsFileName) + ".bench"};
    bool had = false;
    SettingsFileAside() {
        std::error_code ignored;
        had = std::filesystem::exists(file, ignored);
        if (had) std::filesystem::rename(file, aside, ignored);
    }
    ~SettingsFileAside() {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        if (had) std::filesystem::rename(aside, file, ignored);
    }
};

int BotLevel = 16;
long long PlayFrames = 0;
int LastPulse = -1;
Clock::time_point PlayStart, PlayEnd;

void BotInput(long long frame, std::vector<ScriptedKey>& changes) {
    if (frame < 1) return;
    if (frame == 1) HighestLevel = BotLevel;
    BotAtKeyboard(frame, changes);
}

// Frames of play are told from the rest as the bot tells them.
void CountPlay(long long) {
    const bool playing = LastPulse >= 0 && BossPulse != LastPulse;
    LastPulse = BossPulse;
    if (!playing) return;
    if (PlayFrames++ == 0) PlayStart = Clock::now();
    PlayEnd = Clock::now();
}

void BM_BotPlaysLevel16NoGL(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SettingsFileAside aside;
    double frames = 0, seconds = 0;
    for (auto _ : state) {
        PlayFrames = 0, LastPulse = -1;
        ResetBot();
        SetInputHook(BotInput);
        SetFrameHook(CountPlay);
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        options.frameLimit = 6000;
        RunOrbivore(options, 16);
        SetInputHook(nullptr);
        SetFrameHook(nullptr);
        frames += double(PlayFrames);
        seconds += std::chrono::duration<double>(PlayEnd - PlayStart).count();
    }
    if (Level < BotLevel) state.SkipWithError("the bot never reached level 16");
    state.counters["sim_frames_per_s"] = seconds > 0 ? frames / seconds : 0;
    state.counters["frames_of_play"] = frames / double(state.iterations());
}
BENCHMARK(BM_BotPlaysLevel16NoGL)->Unit(benchmark::kMillisecond)->Iterations(3);

Clock::time_point Started, FirstFrame;
void MarkFirstFrame(long long frame) {
    if (frame == 0) FirstFrame = Clock::now();
}

// Arg 0: no OpenGL; 1: the offscreen OpenGL on the software rasterizer.
void BM_StartupToFirstMenuFrame(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SettingsFileAside aside;
    for (auto _ : state) {
        PlatformOptions options;
        options.kind = state.range(0) ? PlatformKind::HeadlessGL : PlatformKind::HeadlessNoGL;
        options.frameLimit = 1;
        SetFrameHook(MarkFirstFrame);
        Started = Clock::now();
        const int code = RunOrbivore(options, 1);
        SetFrameHook(nullptr);
        if (code != 0) state.SkipWithError("the program did not start");
        state.SetIterationTime(std::chrono::duration<double>(FirstFrame - Started).count());
    }
}
BENCHMARK(BM_StartupToFirstMenuFrame)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The simulator in a process of its own, so that its peak resident memory
// is the game's alone. Arg 0: no OpenGL; 1: offscreen OpenGL.
void BM_PeakMemoryBotGame(benchmark::State& state) {
    SettingsFileAside aside;
    double peakMiB = 0;
    for (auto _ : state) {
        // The software rasterizer makes a frame cost tens of milliseconds, so
        // the OpenGL run is shorter.
        std::vector<const char*> argv = {ORBIVORE_SIM_PATH, "--bot", "--start-level", "16", "--frames",
                                         state.range(0) ? "600" : "3000"};
        if (state.range(0) == 0) argv.push_back("--no-gl");
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, ORBIVORE_SIM_PATH, nullptr, nullptr, const_cast<char**>(argv.data()), environ) != 0) {
            state.SkipWithError("cannot start orbivore-sim");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("orbivore-sim failed");
        peakMiB = double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    }
    state.counters["peak_MiB"] = peakMiB;
}
BENCHMARK(BM_PeakMemoryBotGame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// A bot game of 60 seconds at the real pace, with music and effects,
// recorded through SDL's disk audio driver: the loudest sample the device got
// and its share of samples at full scale, against the same mix summed
// plainly, as the device would have got it without the headroom.
Clock::time_point PaceStart;
void PaceRealTime(long long frame) {
    if (frame == 0) PaceStart = Clock::now();
    std::this_thread::sleep_until(PaceStart + std::chrono::microseconds(frame * 1000000 / 60));
}

double Decibels(double level) { return level > 0 ? 20 * std::log10(level) : -999; }

void BM_MixLevelsBotGame(benchmark::State& state) {
    SettingsFileAside aside;
    const char* const file = "mix-bench.raw";
    MixLevels plain;
    float peak = 0;
    uint64_t samples = 0, clipped = 0;
    for (auto _ : state) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file, 1);
        ResetBot();
        SetInputHook(BotInput);
        SetFrameHook(PaceRealTime);
        PlatformOptions options;
        options.kind = PlatformKind::HeadlessNoGL;
        options.frameLimit = 60 * 60;
        RunOrbivore(options, 16);
        SetInputHook(nullptr);
        SetFrameHook(nullptr);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
        plain = RawMixLevels();
        // The device takes the mixer's own format: 32-bit floats, 1 at full scale.
        std::ifstream in(file, std::ios::binary);
        for (float s = 0; in.read(reinterpret_cast<char*>(&s), sizeof s);) {
            peak = std::max(peak, std::fabs(s));
            clipped += std::fabs(s) >= 1.0f;
            ++samples;
        }
        std::filesystem::remove(file);
    }
    if (samples == 0 || plain.samples == 0) state.SkipWithError("nothing was recorded");
    state.counters["peak_dBFS"] = Decibels(peak);
    state.counters["clipped_pct"] = samples ? 100.0 * double(clipped) / double(samples) : 0;
    state.counters["plain_peak_dBFS"] = Decibels(plain.peak);
    state.counters["plain_clipped_pct"] = plain.samples ? 100.0 * double(plain.overFullScale) / double(plain.samples) : 0;
    state.counters["seconds"] = double(samples) / 2 / 44100;
}
BENCHMARK(BM_MixLevelsBotGame)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
