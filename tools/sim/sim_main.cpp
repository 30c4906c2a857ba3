// orbivore-sim: the real program on the headless platform, for tests,
// benchmarks and screenshots. Runs in the working directory like the game.
#include <png.h>

#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>

#include "app/startup.h"
#include "human_player.h"
#include "planner.h"
#include "sim_options.h"
#include "sim_session.h"
#include "sim_stats.h"

namespace {

SimOptions Options;

void WriteScreenshot(const std::string& path) {
    const std::vector<uint8_t> pixels = ReadFramePixels();
    if (pixels.empty()) {
        std::fprintf(stderr, "orbivore-sim: no picture to save for %s (running without OpenGL?)\n", path.c_str());
        return;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(DisplayWidth());
    image.height = uint32_t(DisplayHeight());
    image.format = PNG_FORMAT_RGB;
    // Drop alpha: a screenshot shows what the screen shows.
    std::vector<uint8_t> rgb(size_t(image.width) * image.height * 3);
    for (size_t i = 0, j = 0; i < pixels.size(); i += 4, j += 3)
        rgb[j] = pixels[i], rgb[j + 1] = pixels[i + 1], rgb[j + 2] = pixels[i + 2];
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr))
        std::fprintf(stderr, "orbivore-sim: cannot write %s: %s\n", path.c_str(), image.message);
}

void OnFrame(long long frame) {
    for (const Screenshot& s : Options.screenshots)
        if (s.frame == frame) WriteScreenshot(s.path);
}

// The keys a run met, in the order it met them: its script's first, then
// those the session pressed, frame by frame.
std::vector<ScriptedKey> AllKeys(const std::vector<ScriptedKey>& script, const std::vector<ScriptedKey>& pressed,
                                 long long frames) {
    std::vector<ScriptedKey> keys;
    for (const ScriptedKey& k : script)
        if (k.frame <= frames) keys.push_back(k);
    std::stable_sort(keys.begin(), keys.end(), [](const ScriptedKey& a, const ScriptedKey& b) { return a.frame < b.frame; });
    std::vector<ScriptedKey> all;
    size_t i = 0;
    for (const ScriptedKey& k : pressed) {
        while (i < keys.size() && keys[i].frame <= k.frame) all.push_back(keys[i++]);
        all.push_back(k);
    }
    all.insert(all.end(), keys.begin() + long(i), keys.end());
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    if (!ParseSimOptions(argc, argv, Options)) return 2;
    if (Options.help) return 0;
    Replay replay;
    SimSession session;
    session.bot = Options.bot;
    session.plan = Options.plan;
    if (Options.plan) {
        // The planner forks the running program: it wants no threads and no
        // OpenGL beside the game's own, so no audio device at all (the game
        // plays on without one), and the frame limit is its own, counted in play.
        Options.platform.kind = PlatformKind::HeadlessNoGL;
        setenv("SDL_AUDIODRIVER", "none", 1);
        PlanSettings settings;
        if (Options.framesGiven) settings.frameLimit = Options.platform.frameLimit;
        Options.platform.frameLimit = -1;
        BeginPlan(Options.startLevel, settings);
    }
    session.human = Options.human;
    if (Options.human) {
        // One level, ended by the player itself; --frames counts frames of play.
        HumanSettings settings;
        settings.skill = Options.skill;
        settings.seed = Options.seed;
        if (Options.framesGiven) settings.frameLimit = Options.platform.frameLimit;
        Options.platform.frameLimit = -1;
        BeginHumanPlay(Options.startLevel, settings);
    }
    session.startLevel = Options.startLevel;
    session.record = !Options.recordPath.empty();
    if (!Options.replayPath.empty()) {
        std::string error;
        if (!ReadReplay(Options.replayPath, replay, error)) {
            std::fprintf(stderr, "orbivore-sim: %s\n", error.c_str());
            return 2;
        }
        // A replay plays its own keys; a bot or a script beside them would change the game.
        Options.platform.script = replay.keys;
        Options.platform.padScript = replay.pad;
        Options.seed = replay.seed;
        if (!Options.framesGiven) Options.platform.frameLimit = replay.frames;
        session.bot = false;
        session.replay = &replay;
    }
    BeginSimSession(&session);
    // Headless runs make no sound unless an audio driver is asked for.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    SetFrameHook(OnFrame);
    const auto start = std::chrono::steady_clock::now();
    int code = RunOrbivore(Options.platform, Options.seed);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    BeginSimSession(nullptr);
    if (session.record) {
        session.recorded.seed = Options.seed;
        session.recorded.frames = FramesShown();
        session.recorded.keys = AllKeys(Options.platform.script, session.recorded.keys, FramesShown());
        for (const ScriptedPad& p : Options.platform.padScript)
            if (p.frame <= FramesShown()) session.recorded.pad.push_back(p);
        std::stable_sort(session.recorded.pad.begin(), session.recorded.pad.end(),
                         [](const ScriptedPad& a, const ScriptedPad& b) { return a.frame < b.frame; });
        std::string error;
        if (!WriteReplay(Options.recordPath, session.recorded, error)) {
            std::fprintf(stderr, "orbivore-sim: %s\n", error.c_str());
            if (code == 0) code = 1;
        }
    }
    if (Options.stats) PrintSimStats(ms.count());
    if (Options.plan) PrintPlanOutcome();
    if (Options.human) PrintHumanOutcome();
    return code;
}
