// orbivore-window-bench: the real platform (an SDL window with OpenGL, real
// pacing) for a fixed stretch, driven like the simulator: the idle main menu,
// the bot playing level 69, the busiest arcade frame of the benchmarks drawn
// over and over, or an empty window with an OpenGL context as the reference.
// A mode ending in -lines draws the invaders as lines, the reference for the
// atlas of their halos; one ending in -full runs in desktop full screen, the
// 1024 x 768 picture scaled into the whole screen; -full-magnified keeps it
// magnified, the reference for drawing it at its own size. Prints one table row: frames shown a second, frame work
// (median, 99th percentile, the share of frames over their 1/60 s), the jitter
// of the frame intervals, CPU shares of the game's thread and of the
// rasterizer's threads, and peak memory. bench/window_bench.sh runs it in a
// virtual X server.
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "busy_frame.h"
#include "game/settings.h"
#include "glow/full/glow_batch.h"
#include "glow/glow.h"
#include "sim_session.h"

namespace {

// The first frames (start-up, the first level's title) are not measured.
constexpr long long Skipped = 120;

struct CpuTicks {
    long long game = 0, rasterizer = 0, other = 0;
};

// utime + stime of every thread of this process, split by thread name.
CpuTicks ReadCpuTicks() {
    CpuTicks t;
    DIR* dir = opendir("/proc/self/task");
    if (!dir) return t;
    const std::string self = std::to_string(getpid());
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream in(std::string("/proc/self/task/") + e->d_name + "/stat");
        std::string line;
        std::getline(in, line);
        const size_t open = line.find('('), close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos) continue;
        const std::string name = line.substr(open + 1, close - open - 1);
        std::istringstream rest(line.substr(close + 2));
        std::string field;
        long long utime = 0, stime = 0;
        for (int i = 3; i <= 15 && rest >> field; ++i) {
            if (i == 14) utime = std::atoll(field.c_str());
            if (i == 15) stime = std::atoll(field.c_str());
        }
        long long& bucket = e->d_name == self ? t.game : name.rfind("llvmpipe", 0) == 0 ? t.rasterizer : t.other;
        bucket += utime + stime;
    }
    closedir(dir);
    return t;
}

struct Record {
    long long frames = 0;  // the stretch to measure, after the skipped ones
    std::vector<double> shownAt;  // ms, when each measured frame appeared
    std::vector<double> workMs;
    CpuTicks cpuStart, cpuEnd;
    GlowPath path = GlowPath::Auto;  // the glow path of the last frame, and the frame it began
    long long pathSince = 0;
};
Record Run;
bool FullScreenRun = false;

long long UnmagnifiedFrom = -1;  // the frame from which the picture was drawn at its own size

void OnFrame(long long frame) {
    if (UnmagnifiedFrom < 0 && UnmagnifiedPictureInUse()) UnmagnifiedFrom = frame;
    if (PlatformHasGL() && GlowPathInUse() != Run.path) Run.path = GlowPathInUse(), Run.pathSince = frame;
    if (frame < Skipped) return;
    if (frame == Skipped) Run.cpuStart = ReadCpuTicks();
    // When the frame before was shown: its swap has returned by now.
    Run.shownAt.push_back(FrameShownMs());
    if (frame > Skipped) Run.workMs.push_back(FrameWorkMs());
    if (frame + 1 == Skipped + Run.frames) Run.cpuEnd = ReadCpuTicks();
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void Fail() {
    std::fprintf(stderr, "orbivore-window-bench: %s\n", PlatformError().c_str());
    std::exit(1);
}

// Clears, draws and shows frames until the frame limit ends the run.
void ShowFramesUntilQuit(void (*draw)()) {
    try {
        for (;;) {
            ClearScreen();
            draw();
            ShowFrame();
        }
    } catch (const ProgramQuit&) {
    }
    PlatformStop();
}

void EmptyWindow(const PlatformOptions& options) {
    if (!PlatformStart(options) || !OpenDisplay(1024, 768, FullScreenRun, "empty")) Fail();
    ShowFramesUntilQuit([] {});
}

std::vector<GlowSegment> HeavySegments;
const Picture* HeavyBackdrop = nullptr;

// The largest wave with 150 invader shots, explosions, particles and
// captions (bench/busy_frame.h) over the backdrop, as the game draws them,
// with the glow path the game would choose.
void HeavyFrame(const PlatformOptions& options) {
    HeavySegments = CaptureBusyArcadeFrame();
    PlatformStop();  // the capture's own platform, without OpenGL
    if (!PlatformStart(options) || !OpenDisplay(1024, 768, FullScreenRun, "heavy frame")) Fail();
    SetPlayViewport(0, 0);
    if (!(HeavyBackdrop = LoadGlowPictures())) Fail();
    ShowFramesUntilQuit([] {
        DrawBackdrop(HeavyBackdrop, 0, 0);
        TPoly::_Begin();
        DrawGlowSegments(HeavySegments);
        TPoly::_End();
    });
}

void PrintRow(const std::string& mode) {
    std::vector<double> intervals;
    for (size_t i = 1; i < Run.shownAt.size(); ++i) intervals.push_back(Run.shownAt[i] - Run.shownAt[i - 1]);
    double mean = 0, squares = 0;
    for (double d : intervals) mean += d;
    mean /= double(std::max<size_t>(1, intervals.size()));
    for (double d : intervals) squares += (d - mean) * (d - mean);
    const double jitter = std::sqrt(squares / double(std::max<size_t>(1, intervals.size())));
    const double seconds = (Run.shownAt.back() - Run.shownAt.front()) / 1000;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    const auto share = [&](long long a, long long b) { return double(b - a) / ticks / seconds * 100; };
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double load[1] = {0};
    getloadavg(load, 1);
    const auto late = std::count_if(Run.workMs.begin(), Run.workMs.end(), [](double ms) { return ms > FramePeriodMs; });
    const double over = 100.0 * double(late) / double(std::max<size_t>(1, Run.workMs.size()));
    const char* const pathNames[] = {"-", "full", "half halo", "quarter halo"};
    const bool empty = mode.rfind("empty", 0) == 0;
    const std::string glow = empty ? "-"
                             : std::string(pathNames[int(Run.path)]) +
                                   (Run.pathSince > 0 ? " from frame " + std::to_string(Run.pathSince) : "") +
                                   (UnmagnifiedFrom >= 0 ? ", unmagnified from frame " + std::to_string(UnmagnifiedFrom) : "");
    std::printf("| %-13s | %6.1f | %5.2f | %5.2f | %4.1f %% | %5.2f | %4.2f | %4.0f %% | %4.0f %% | %4.0f %% | %5.0f MiB | %s | %s | load %.1f |\n",
                mode.c_str(), double(intervals.size()) / seconds, Percentile(Run.workMs, 0.5),
                Percentile(Run.workMs, 0.99), over, Percentile(intervals, 0.99), jitter,
                share(Run.cpuStart.game, Run.cpuEnd.game), share(Run.cpuStart.rasterizer, Run.cpuEnd.rasterizer),
                share(Run.cpuStart.other, Run.cpuEnd.other), double(usage.ru_maxrss) / 1024,
                empty ? "-" : VsyncPacing() ? "vsync" : "software", glow.c_str(), load[0]);
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    const std::string label = mode;
    const auto strip = [&mode](const std::string& suffix) {
        const bool has = mode.size() > suffix.size() &&
                         mode.compare(mode.size() - suffix.size(), suffix.size(), suffix) == 0;
        if (has) mode.resize(mode.size() - suffix.size());
        return has;
    };
    // "-magnified": never drawn at its own size, the reference for that step.
    GlowKnobs.mayUnmagnify = !strip("-magnified");
    FullScreenRun = strip("-full");
    // "-lines": the invaders drawn as lines, the reference for the atlas of their halos.
    const bool asLines = strip("-lines");
    GlowKnobs.keepShapes = !asLines;
    const long long frames = argc > 2 ? std::atoll(argv[2]) : 0;
    if ((mode != "menu" && mode != "level69" && mode != "heavy" && mode != "empty") || frames < 2) {
        std::fprintf(stderr, "usage: orbivore-window-bench menu|level69|heavy|empty[-lines][-full[-magnified]] FRAMES\n");
        return 2;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Run.frames = frames;
    PlatformOptions options;
    options.kind = PlatformKind::Window;
    options.frameLimit = Skipped + frames;
    SetFrameHook(OnFrame);
    SimSession session;
    session.bot = mode == "level69";
    session.startLevel = 69;
    if (mode == "empty") {
        EmptyWindow(options);
    } else if (mode == "heavy") {
        HeavyFrame(options);
    } else {
        // The game opens the display as its settings file in this folder says.
        LoadSettingsFile(SettingsFileName);
        FullScreen = FullScreenRun ? 1 : 0;
        if (!SaveSettingsFile(SettingsFileName)) return 1;
        BeginSimSession(&session);
        if (RunOrbivore(options, 69) != 0) return 1;
        BeginSimSession(nullptr);
    }
    PrintRow(label);
    return 0;
}
