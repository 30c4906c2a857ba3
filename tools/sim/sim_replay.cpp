#include "sim_replay.h"

#include <fstream>
#include <iomanip>
#include <sstream>

#include "game/settings.h"
#include "sim_options.h"

namespace {

struct SettingSlot {
    const char* name;
    int* value;
    int low, high;
};

const SettingSlot Slots[] = {
    {"KeyLeft", &KeyLeft, 1, 255},           {"KeyRight", &KeyRight, 1, 255},
    {"KeyFire", &KeyFire, 1, 255},           {"KeyShield", &KeyShield, 1, 255},
    {"HighestLevel", &HighestLevel, 1, 100}, {"ClassicUnlocked", &ClassicUnlocked, 0, 1},
    {"SoundOn", &SoundOn, 0, 1},             {"MusicOn", &MusicOn, 0, 1},
    {"JoystickOn", &JoystickOn, 0, 1},       {"GlowAmount", &GlowAmount, -2, 2},
    {"BackgroundOn", &BackgroundOn, 0, 1},
};

const SettingSlot* FindSlot(const std::string& name) {
    for (const SettingSlot& s : Slots)
        if (name == s.name) return &s;
    return nullptr;
}

// "FRAME connect|disconnect", "FRAME press|release BUTTON", "FRAME axis 0|1 VALUE", frames in order.
bool ReadPadStep(std::istringstream& f, long long& lastFrame, std::vector<ScriptedPad>& out) {
    using A = ScriptedPad::Action;
    long long frame = 0;
    std::string action, name;
    if (!(f >> frame >> action) || frame < lastFrame || frame > 0x7FFFFFFF) return false;
    ScriptedPad step;
    step.frame = int(frame);
    if (action == "connect" || action == "disconnect") {
        step.action = action == "connect" ? A::Connect : A::Disconnect;
    } else if (action == "press" || action == "release") {
        step.action = action == "press" ? A::Press : A::Release;
        if (!(f >> name) || !PadButtonByName(name, step.button)) return false;
    } else if (action == "axis") {
        step.action = A::Axis;
        if (!(f >> step.axis >> step.value) || step.axis < 0 || step.axis > 1 || !(step.value >= -1 && step.value <= 1))
            return false;
    } else {
        return false;
    }
    out.push_back(step);
    lastFrame = frame;
    return true;
}

}  // namespace

bool WriteReplay(const std::string& path, const Replay& replay, std::string& error) {
    std::ofstream out(path);
    out << "orbivore-replay 1\nseed " << replay.seed << "\nframes " << replay.frames << "\n";
    for (const ReplaySetting& s : replay.settings) out << "setting " << s.name << " " << s.value << "\n";
    for (const ScriptedKey& k : replay.keys) {
        if (k.kind == ScriptedKind::Key) out << "key " << k.frame << (k.down ? " down " : " up ") << k.key << "\n";
        else out << "focus " << k.frame << (k.kind == ScriptedKind::FocusOut ? " out" : " in") << "\n";
    }
    for (const ScriptedPad& p : replay.pad) {
        using A = ScriptedPad::Action;
        out << "pad " << p.frame;
        if (p.action == A::Connect) out << " connect\n";
        if (p.action == A::Disconnect) out << " disconnect\n";
        if (p.action == A::Press || p.action == A::Release)
            out << (p.action == A::Press ? " press " : " release ") << PadButtonName(p.button) << "\n";
        if (p.action == A::Axis) out << " axis " << p.axis << " " << std::setprecision(9) << p.value << "\n";
    }
    out.flush();
    if (!out) error = "cannot write replay " + path;
    return bool(out);
}

bool ReadReplay(const std::string& path, Replay& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read replay " + path;
        return false;
    }
    out = Replay{};
    std::string line;
    if (!std::getline(in, line) || line != "orbivore-replay 1") {
        error = path + " is not a replay";
        return false;
    }
    long long lastFrame = 0, lastPadFrame = 0;
    for (int lineNo = 2; std::getline(in, line); ++lineNo) {
        std::istringstream f(line);
        std::string word, name, dir;
        long long a = 0;
        int b = 0;
        bool ok = bool(f >> word);
        if (!ok) continue;  // blank lines are harmless
        if (word == "seed") ok = bool(f >> a) && a >= 0 && a <= 0xFFFFFFFFll, out.seed = a;
        else if (word == "frames") ok = bool(f >> a) && a >= -1, out.frames = a;
        else if (word == "setting") {
            const SettingSlot* slot = (f >> name >> b) ? FindSlot(name) : nullptr;
            ok = slot && b >= slot->low && b <= slot->high;
            if (ok) out.settings.push_back({name, b});
        } else if (word == "key") {
            // Frames in order: a run meets them in that order too.
            ok = bool(f >> a >> dir >> b) && a >= lastFrame && a <= 0x7FFFFFFF && (dir == "down" || dir == "up") &&
                 b >= 1 && b <= 255;
            if (ok) out.keys.push_back({int(a), b, dir == "down"}), lastFrame = a;
        } else if (word == "focus") {
            ok = bool(f >> a >> dir) && a >= lastFrame && a <= 0x7FFFFFFF && (dir == "out" || dir == "in");
            if (ok)
                out.keys.push_back({int(a), 0, true, dir == "out" ? ScriptedKind::FocusOut : ScriptedKind::FocusIn}),
                    lastFrame = a;
        } else if (word == "pad") {
            ok = ReadPadStep(f, lastPadFrame, out.pad);
        } else {
            ok = false;
        }
        if (ok && (f >> word)) ok = false;  // nothing may follow
        if (!ok) {
            error = path + ":" + std::to_string(lineNo) + ": damaged line";
            return false;
        }
    }
    return true;
}

void CaptureReplaySettings(Replay& replay) {
    replay.settings.clear();
    for (const SettingSlot& s : Slots) replay.settings.push_back({s.name, *s.value});
}

void ApplyReplaySettings(const Replay& replay) {
    for (const ReplaySetting& r : replay.settings)
        if (const SettingSlot* slot = FindSlot(r.name)) *slot->value = r.value;
}
