#include "sim_options.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ui/key_names.h"

namespace {

const char* const Usage =
    "usage: orbivore-sim [--frames N] [--seed N] [--script FILE] [--screenshot FRAME:FILE.png]...\n"
    "                    [--no-gl] [--stats] [--bot [plan|human]] [--skill S] [--start-level L] [--record FILE] [--replay FILE]\n";

const char* const OptionHelp =
    "Runs the game's start-up and screens on a headless platform with a virtual\n"
    "clock and scripted keys, in the working folder, like a copy that is not installed.\n"
    "\n"
    "  --frames N               end the orderly way after N shown frames\n"
    "  --seed N                 seed of the random generator (default 1)\n"
    "  --script FILE            key script: lines 'FRAME press KEY' / 'FRAME release KEY',\n"
    "                           'FRAME focus-out' / 'FRAME focus-in' (the window's focus)\n"
    "                           and a pad: 'FRAME connect pad' / 'FRAME disconnect pad',\n"
    "                           'FRAME press pad:BUTTON' / 'FRAME release pad:BUTTON' (a b x y\n"
    "                           back start leftshoulder rightshoulder dpup dpdown dpleft\n"
    "                           dpright), 'FRAME axis pad:leftx|lefty VALUE' (-1..1)\n"
    "  --screenshot FRAME:FILE  save that frame as a PNG (repeatable)\n"
    "  --no-gl                  run without OpenGL; drawing is only counted\n"
    "  --stats                  print one JSON line of figures at the end\n"
    "  --bot                    a computer player at the keyboard\n"
    "  --bot plan               the planning player on the start level alone; --frames\n"
    "                           is then its limit in frames of play (default 18000)\n"
    "  --bot human              the human-model player on the start level alone, with\n"
    "                           a person's delay and aim; --frames as for plan\n"
    "  --skill S                its skill: casual, average (default) or expert\n"
    "  --start-level L          the level the level select offers (1..100)\n"
    "  --record FILE            write the seed and every key and pad change to FILE\n"
    "  --replay FILE            play such a file back\n"
    "  --help                   show this and end\n";

bool ParseNumber(const char* text, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return end != text && *end == '\0';
}

// The pad's buttons by their script and replay names, in PadButton's order.
const char* const PadButtonNames[] = {"a",    "b",      "x",    "y",      "back",   "start",
                                      "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft", "dpright"};
}  // namespace

const char* PadButtonName(PadButton button) {
    const size_t i = size_t(button);
    return i < std::size(PadButtonNames) ? PadButtonNames[i] : "?";
}

bool PadButtonByName(const std::string& name, PadButton& out) {
    for (size_t i = 0; i < std::size(PadButtonNames); ++i)
        if (name == PadButtonNames[i]) {
            out = PadButton(i);
            return true;
        }
    return false;
}

namespace {

// "connect pad", "disconnect pad", "press|release pad:BUTTON", "axis pad:leftx|lefty VALUE".
bool ReadPadLine(int frame, const std::string& action, const std::string& rest, ScriptedPad& out) {
    using A = ScriptedPad::Action;
    out.frame = frame;
    if (action == "connect" || action == "disconnect") {
        out.action = action == "connect" ? A::Connect : A::Disconnect;
        return rest == "pad";
    }
    if (action == "press" || action == "release") {
        out.action = action == "press" ? A::Press : A::Release;
        return rest.rfind("pad:", 0) == 0 && PadButtonByName(rest.substr(4), out.button);
    }
    if (action != "axis") return false;
    std::istringstream fields(rest);
    std::string axis, value;
    if (!(fields >> axis >> value) || (axis != "pad:leftx" && axis != "pad:lefty")) return false;
    char* end = nullptr;
    out.action = A::Axis;
    out.axis = axis == "pad:leftx" ? 0 : 1;
    out.value = std::strtof(value.c_str(), &end);
    return end != value.c_str() && *end == '\0' && out.value >= -1 && out.value <= 1 && fields.eof();
}

}  // namespace

bool ReadKeyScript(const std::string& path, std::vector<ScriptedKey>& out, std::vector<ScriptedPad>& pad,
                   std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read key script " + path;
        return false;
    }
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        std::string frame, action, key;
        if (!(fields >> frame)) continue;
        fields >> action;
        long long f = 0;
        if (action == "focus-out" || action == "focus-in") {
            std::string rest;
            if (!ParseNumber(frame.c_str(), f) || f < 0 || fields >> rest) {
                error = path + ":" + std::to_string(lineNo) + ": expected FRAME " + action;
                return false;
            }
            out.push_back({int(f), 0, true, action == "focus-out" ? ScriptedKind::FocusOut : ScriptedKind::FocusIn});
            continue;
        }
        std::getline(fields >> std::ws, key);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\r')) key.pop_back();
        const bool frameRead = ParseNumber(frame.c_str(), f) && f >= 0 && f <= INT32_MAX;
        if (frameRead && (key.rfind("pad", 0) == 0 || action == "axis")) {
            ScriptedPad step;
            if (!ReadPadLine(int(f), action, key, step)) {
                error = path + ":" + std::to_string(lineNo) +
                        ": expected FRAME connect|disconnect pad, FRAME press|release pad:BUTTON or FRAME axis "
                        "pad:leftx VALUE (-1..1)";
                return false;
            }
            pad.push_back(step);
            continue;
        }
        const int code = KeyCodeByName(key);
        if (!frameRead || (action != "press" && action != "release") || code == 0) {
            error = path + ":" + std::to_string(lineNo) + ": expected FRAME press|release KEY";
            return false;
        }
        out.push_back({int(f), code, action == "press"});
    }
    return true;
}

bool ParseSimOptions(int argc, char** argv, SimOptions& out) {
    out.platform.kind = PlatformKind::HeadlessGL;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long n = 0;
        if (arg == "--help") {
            std::printf("%s\n%s", Usage, OptionHelp);
            out.help = true;
            return true;
        }
        if (arg == "--frames" && hasValue && ParseNumber(argv[i + 1], n) && n >= 0) {
            out.platform.frameLimit = n, out.framesGiven = true, ++i;
        } else if (arg == "--seed" && hasValue && ParseNumber(argv[i + 1], n) && n >= 0) {
            out.seed = n, ++i;
        } else if (arg == "--script" && hasValue) {
            std::string error;
            if (!ReadKeyScript(argv[++i], out.platform.script, out.platform.padScript, error)) {
                std::fprintf(stderr, "orbivore-sim: %s\n", error.c_str());
                return false;
            }
        } else if (arg == "--screenshot" && hasValue) {
            const std::string v = argv[++i];
            const size_t colon = v.find(':');
            if (colon == std::string::npos || !ParseNumber(v.substr(0, colon).c_str(), n) || colon + 1 == v.size()) {
                std::fprintf(stderr, "orbivore-sim: --screenshot wants FRAME:FILE.png, not %s\n", v.c_str());
                return false;
            }
            out.screenshots.push_back({n, v.substr(colon + 1)});
        } else if (arg == "--no-gl") {
            out.platform.kind = PlatformKind::HeadlessNoGL;
        } else if (arg == "--stats") {
            out.stats = true;
        } else if (arg == "--bot") {
            out.bot = true;
            const std::string kind = hasValue ? argv[i + 1] : "";
            if (kind == "plan") out.plan = true, ++i;
            else if (kind == "human") out.human = true, ++i;
        } else if (arg == "--skill") {
            if (!hasValue || !SkillByName(argv[i + 1], out.skill)) {
                std::fprintf(stderr, "orbivore-sim: --skill wants casual, average or expert, not %s\n",
                             hasValue ? argv[i + 1] : "nothing");
                return false;
            }
            out.skillGiven = true, ++i;
        } else if (arg == "--start-level" && hasValue && ParseNumber(argv[i + 1], n) && n >= 1 && n <= 100) {
            out.startLevel = int(n), ++i;
        } else if (arg == "--record" && hasValue) {
            out.recordPath = argv[++i];
        } else if (arg == "--replay" && hasValue) {
            out.replayPath = argv[++i];
        } else {
            std::fprintf(stderr, "orbivore-sim: unknown or incomplete argument %s\n%s", arg.c_str(), Usage);
            return false;
        }
    }
    if (!out.recordPath.empty() && !out.replayPath.empty()) {
        std::fprintf(stderr, "orbivore-sim: --record and --replay do not go together\n");
        return false;
    }
    if (out.plan && (out.startLevel == 0 || !out.recordPath.empty() || !out.replayPath.empty())) {
        std::fprintf(stderr, "orbivore-sim: --bot plan plays one level: it wants --start-level, and no --record or --replay\n");
        return false;
    }
    if (out.human && (out.startLevel == 0 || !out.replayPath.empty())) {
        std::fprintf(stderr, "orbivore-sim: --bot human plays one level: it wants --start-level, and no --replay\n");
        return false;
    }
    if (out.skillGiven && !out.human) {
        std::fprintf(stderr, "orbivore-sim: --skill goes with --bot human\n");
        return false;
    }
    return true;
}
