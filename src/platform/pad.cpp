// The game controller: SDL's game-controller layer, hot-plugged. Headless
// runs plug in one of SDL's virtual pads and move it from the script, so
// the same events reach the same code as a real pad's.
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "common/data_lines.h"
#include "platform/platform_internal.h"

namespace {

constexpr int ButtonCount = int(PadButton::Count);
// Around the centre the stick counts as at rest.
constexpr float DeadZone = 0.25f;

struct PadState {
    bool started = false;
    bool headless = false;
    SDL_GameController* pad = nullptr;
    SDL_JoystickID id = -1;
    std::array<bool, ButtonCount> down{};
    std::array<int, ButtonCount> hits{};
    int presses = 0;
    std::array<float, 2> axis{};      // left stick x, y
    std::array<bool, 2> rested{};     // the axis was seen in the dead zone
    // The script's virtual pad, moved through its own joystick handle.
    SDL_Joystick* virtualPad = nullptr;
    bool unmappedNamed = false;
};

PadState& Pad() {
    static PadState state;
    return state;
}

int ButtonOf(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_CONTROLLER_BUTTON_A: return int(PadButton::A);
        case SDL_CONTROLLER_BUTTON_B: return int(PadButton::B);
        case SDL_CONTROLLER_BUTTON_X: return int(PadButton::X);
        case SDL_CONTROLLER_BUTTON_Y: return int(PadButton::Y);
        case SDL_CONTROLLER_BUTTON_BACK: return int(PadButton::Back);
        case SDL_CONTROLLER_BUTTON_START: return int(PadButton::Start);
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return int(PadButton::LeftShoulder);
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return int(PadButton::RightShoulder);
        case SDL_CONTROLLER_BUTTON_DPAD_UP: return int(PadButton::DpUp);
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return int(PadButton::DpDown);
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return int(PadButton::DpLeft);
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return int(PadButton::DpRight);
        default: return -1;
    }
}

SDL_GameControllerButton SdlButtonOf(PadButton button) {
    static constexpr SDL_GameControllerButton table[] = {
        SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_X,
        SDL_CONTROLLER_BUTTON_Y,         SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_START,
        SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_DPAD_UP,
        SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,  SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    };
    const int i = int(button);
    return i < int(std::size(table)) ? table[i] : SDL_CONTROLLER_BUTTON_INVALID;
}

void SetButton(int button, bool down) {
    PadState& s = Pad();
    if (button < 0) return;
    if (down && !s.down[size_t(button)]) s.hits[size_t(button)]++;
    s.down[size_t(button)] = down;
}

void SetAxis(int axis, Sint16 raw) {
    PadState& s = Pad();
    float v = raw < 0 ? float(raw) / 32768.0f : float(raw) / 32767.0f;
    if (std::fabs(v) < DeadZone) s.rested[size_t(axis)] = true, v = 0;
    if (!s.rested[size_t(axis)]) v = 0;
    s.axis[size_t(axis)] = v;
    const int minus = int(axis == 0 ? PadButton::StickLeft : PadButton::StickUp);
    const int plus = int(axis == 0 ? PadButton::StickRight : PadButton::StickDown);
    if (v < -PadStickPushed) SetButton(minus, true);
    if (v > PadStickPushed) SetButton(plus, true);
    if (v > -DeadZone) SetButton(minus, false);
    if (v < DeadZone) SetButton(plus, false);
}

void ClearPadState() {
    PadState& s = Pad();
    s.down.fill(false);
    s.hits.fill(0);
    s.axis.fill(0);
    s.rested.fill(false);
    s.presses = 0;
}

void ClosePad() {
    PadState& s = Pad();
    if (s.pad) SDL_GameControllerClose(s.pad);
    s.pad = nullptr;
    s.id = -1;
    ClearPadState();
}

// Headless runs see only the script's pad, never one on the machine.
bool Usable(int index) {
    return SDL_IsGameController(index) && (!Pad().headless || SDL_JoystickIsVirtual(index));
}

void OpenPad(int index) {
    PadState& s = Pad();
    if (s.pad || !Usable(index)) return;
    s.pad = SDL_GameControllerOpen(index);
    if (!s.pad) return;
    s.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(s.pad));
    ClearPadState();
    // The axes as they are now: a stick held over from before counts from here.
    SetAxis(0, SDL_GameControllerGetAxis(s.pad, SDL_CONTROLLER_AXIS_LEFTX));
    SetAxis(1, SDL_GameControllerGetAxis(s.pad, SDL_CONTROLLER_AXIS_LEFTY));
    s.hits.fill(0);
}

void OpenFirstPad() {
    for (int i = 0; i < SDL_NumJoysticks() && !Pad().pad; ++i) OpenPad(i);
}

// A joystick SDL has no mapping for does nothing in the game; say once how to give it one.
void NameUnmapped(int index) {
    PadState& s = Pad();
    if (s.headless || s.unmappedNamed || SDL_IsGameController(index)) return;
    s.unmappedNamed = true;
    const char* name = SDL_JoystickNameForIndex(index);
    std::fprintf(stderr, "orbivore: the joystick '%s' is not a known game controller; a line for it in "
                 "gamecontrollerdb.txt in the working folder makes it one\n", name ? name : "?");
}

// The platform name of a community mapping line, or "" when it names none.
std::string LinePlatform(const std::string& line) {
    const size_t at = line.find("platform:");
    if (at == std::string::npos) return "";
    const size_t from = at + 9, to = line.find(',', from);
    return line.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

// Each line goes to SDL on its own, so that a broken line is told about and
// the rest still count; SDL's own mappings stay whatever the file holds.
void LoadMappingFile() {
    const char* const name = "gamecontrollerdb.txt";
    std::ifstream in(name, std::ios::binary);
    if (!in) return;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int bad = 0, firstBad = 0;
    std::string why;
    ForEachDataLine(text, [&](std::string line, int lineNo) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        const std::string platform = LinePlatform(line);
        if (!platform.empty() && SDL_strcasecmp(platform.c_str(), SDL_GetPlatform()) != 0) return true;
        if (SDL_GameControllerAddMapping(line.c_str()) < 0 && bad++ == 0) firstBad = lineNo, why = SDL_GetError();
        return true;
    });
    if (bad > 0)
        std::fprintf(stderr, "orbivore: %s: %d line%s not a controller mapping (line %d: %s); the rest and SDL's own "
                     "mappings are used\n", name, bad, bad == 1 ? " is" : "s are", firstBad, why.c_str());
}

int DeviceIndexOf(SDL_JoystickID id) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
    return -1;
}

void ApplyScripted(const ScriptedPad& step) {
    PadState& s = Pad();
    using A = ScriptedPad::Action;
    if (step.action == A::Connect) {
        if (s.virtualPad) return;
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                    SDL_CONTROLLER_BUTTON_MAX, 0);
        if (index >= 0) s.virtualPad = SDL_JoystickOpen(index);
        return;
    }
    if (!s.virtualPad) return;
    if (step.action == A::Disconnect) {
        const int index = DeviceIndexOf(SDL_JoystickInstanceID(s.virtualPad));
        SDL_JoystickClose(s.virtualPad);
        s.virtualPad = nullptr;
        if (index >= 0) SDL_JoystickDetachVirtual(index);
    } else if (step.action == A::Axis) {
        const float v = std::fmax(-1.0f, std::fmin(1.0f, step.value));
        SDL_JoystickSetVirtualAxis(s.virtualPad, step.axis == 0 ? SDL_CONTROLLER_AXIS_LEFTX : SDL_CONTROLLER_AXIS_LEFTY,
                                   Sint16(std::lround(v < 0 ? v * 32768 : v * 32767)));
    } else if (const SDL_GameControllerButton b = SdlButtonOf(step.button); b != SDL_CONTROLLER_BUTTON_INVALID) {
        SDL_JoystickSetVirtualButton(s.virtualPad, b, step.action == A::Press ? 1 : 0);
    }
    // Each step is sent on its own, so a press and a release in one frame both count.
    SDL_JoystickUpdate();
}

}  // namespace

bool PadStart(bool headless) {
    PadState& s = Pad();
    s = PadState{};
    s.headless = headless;
    // A is the bottom button on every pad, whatever its label says.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    // SDL drops a pad's input while no window of ours has the keyboard; the
    // headless window never has it, and a real one should not play on behind another.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, headless ? "1" : "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
    s.started = true;
    LoadMappingFile();
    OpenFirstPad();
    return true;
}

void PadStop() {
    PadState& s = Pad();
    if (!s.started) return;
    ClosePad();
    if (s.virtualPad) {
        const int index = DeviceIndexOf(SDL_JoystickInstanceID(s.virtualPad));
        SDL_JoystickClose(s.virtualPad);
        if (index >= 0) SDL_JoystickDetachVirtual(index);
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    s = PadState{};
}

bool PadStarted() { return Pad().started; }

void PadHandleEvent(const SDL_Event& event) {
    PadState& s = Pad();
    if (!s.started) return;
    switch (event.type) {
        case SDL_JOYDEVICEADDED:
            NameUnmapped(event.jdevice.which);
            break;
        case SDL_CONTROLLERDEVICEADDED:
            OpenPad(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (event.cdevice.which == s.id) {
                ClosePad();
                OpenFirstPad();
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (event.cbutton.which != s.id) break;
            if (event.type == SDL_CONTROLLERBUTTONDOWN) s.presses++;
            SetButton(ButtonOf(event.cbutton.button), event.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.which != s.id) break;
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) SetAxis(0, event.caxis.value);
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) SetAxis(1, event.caxis.value);
            break;
        default:
            break;
    }
}

void PadApplyScript(long long frame) {
    if (!Pad().started) return;
    bool any = false;
    for (const ScriptedPad& step : Platform().options.padScript)
        if (step.frame == frame) ApplyScripted(step), any = true;
    if (!any) return;
    SDL_Event events[32];
    int n = 0;
    while ((n = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_FINGERDOWN - 1)) > 0)
        for (int i = 0; i < n; ++i) PadHandleEvent(events[i]);
}

void PadFlush() {
    Pad().hits.fill(0);
    Pad().presses = 0;
}

bool PadDown(PadButton button) {
    const int i = int(button);
    return i >= 0 && i < ButtonCount && Pad().down[size_t(i)];
}

int PadHit(PadButton button) {
    const int i = int(button);
    if (i < 0 || i >= ButtonCount) return 0;
    const int n = Pad().hits[size_t(i)];
    Pad().hits[size_t(i)] = 0;
    return n;
}

float PadStickX() { return Pad().axis[0]; }
int PadId() { return Pad().pad ? int(Pad().id) : -1; }

int PadPresses() {
    const int n = Pad().presses;
    Pad().presses = 0;
    return n;
}
