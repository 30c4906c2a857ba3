// The keyboard. The game speaks Windows virtual-key codes (they are
// what the settings file stores), so SDL scancodes are mapped onto them here,
// with left and right Control, Shift and Alt told apart; the generic codes
// 16, 17 and 18 follow either side.
#include <array>
#include <utility>

#include "platform/platform_internal.h"

namespace {

struct InputState {
    std::array<bool, 256> down{};
    std::array<int, 256> hits{};
    int focusLosses = 0;
    int displayToggles = 0;
    int altEnters = 0;
};

InputState& Input() {
    static InputState state;
    return state;
}

int VirtualKey(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 65 + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return 49 + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
        case SDL_SCANCODE_0: return 48;
        case SDL_SCANCODE_KP_0: return 96;
        case SDL_SCANCODE_BACKSPACE: return 8;
        case SDL_SCANCODE_TAB: return 9;
        case SDL_SCANCODE_RETURN: return 13;
        case SDL_SCANCODE_KP_ENTER: return 13;
        case SDL_SCANCODE_PAUSE: return 19;
        case SDL_SCANCODE_CAPSLOCK: return 20;
        case SDL_SCANCODE_ESCAPE: return 27;
        case SDL_SCANCODE_SPACE: return 32;
        case SDL_SCANCODE_PAGEUP: return 33;
        case SDL_SCANCODE_PAGEDOWN: return 34;
        case SDL_SCANCODE_END: return 35;
        case SDL_SCANCODE_HOME: return 36;
        case SDL_SCANCODE_LEFT: return 37;
        case SDL_SCANCODE_UP: return 38;
        case SDL_SCANCODE_RIGHT: return 39;
        case SDL_SCANCODE_DOWN: return 40;
        case SDL_SCANCODE_PRINTSCREEN: return 44;
        case SDL_SCANCODE_HELP: return 47;
        case SDL_SCANCODE_INSERT: return 45;
        case SDL_SCANCODE_DELETE: return 46;
        case SDL_SCANCODE_LGUI: return 91;
        case SDL_SCANCODE_RGUI: return 92;
        case SDL_SCANCODE_APPLICATION: return 93;
        case SDL_SCANCODE_KP_MULTIPLY: return 106;
        case SDL_SCANCODE_KP_PLUS: return 107;
        case SDL_SCANCODE_KP_MINUS: return 109;
        case SDL_SCANCODE_KP_PERIOD: return 110;
        case SDL_SCANCODE_KP_DIVIDE: return 111;
        case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
        case SDL_SCANCODE_SCROLLLOCK: return 145;
        case SDL_SCANCODE_LSHIFT: return 160;
        case SDL_SCANCODE_RSHIFT: return 161;
        case SDL_SCANCODE_LCTRL: return 162;
        case SDL_SCANCODE_RCTRL: return 163;
        case SDL_SCANCODE_LALT: return 164;
        case SDL_SCANCODE_RALT: return 165;
        case SDL_SCANCODE_SEMICOLON: return 186;
        case SDL_SCANCODE_EQUALS: return 187;
        case SDL_SCANCODE_COMMA: return 188;
        case SDL_SCANCODE_MINUS: return 189;
        case SDL_SCANCODE_PERIOD: return 190;
        case SDL_SCANCODE_SLASH: return 191;
        case SDL_SCANCODE_GRAVE: return 192;
        case SDL_SCANCODE_LEFTBRACKET: return 219;
        case SDL_SCANCODE_BACKSLASH: return 220;
        case SDL_SCANCODE_RIGHTBRACKET: return 221;
        case SDL_SCANCODE_APOSTROPHE: return 222;
        // The extra key beside left Shift on ISO keyboards.
        case SDL_SCANCODE_NONUSBACKSLASH: return 226;
        default: return 0;
    }
}

// The generic code a sided modifier also counts as.
int GenericKey(int vk) {
    if (vk == 160 || vk == 161) return 16;
    if (vk == 162 || vk == 163) return 17;
    if (vk == 164 || vk == 165) return 18;
    return 0;
}

bool IsAlt(int vk) { return vk == 164 || vk == 165 || vk == 18; }

// F11, and Enter with Alt held, switch the display instead of counting as
// hits; an Alt press that is still unread when Enter joins it is taken back,
// and one that joins a held Enter never counts, so it raises no shield.
bool TakenByDisplayToggle(InputState& in, int vk) {
    if (vk == VkF11) return in.displayToggles++, true;
    if (vk == VkReturn && (in.down[164] || in.down[165])) {
        for (int alt : {164, 165, 18})
            if (in.down[alt]) in.hits[alt] = 0;
        in.altEnters++;
        return in.displayToggles++, true;
    }
    return IsAlt(vk) && in.down[VkReturn];
}

void SetKey(int vk, bool down) {
    if (vk <= 0 || vk > 255) return;
    InputState& in = Input();
    const bool counted = down && !in.down[vk] && !TakenByDisplayToggle(in, vk);
    if (counted) in.hits[vk]++;
    in.down[vk] = down;
    if (const int g = GenericKey(vk)) {
        const bool pair = in.down[g == 16 ? 160 : g == 17 ? 162 : 164] || in.down[g == 16 ? 161 : g == 17 ? 163 : 165];
        if (counted && !in.down[g]) in.hits[g]++;
        in.down[g] = pair;
    }
}

}  // namespace

void InputHandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
            if (!event.key.repeat) SetKey(VirtualKey(event.key.keysym.scancode), true);
            break;
        case SDL_KEYUP:
            SetKey(VirtualKey(event.key.keysym.scancode), false);
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST || event.window.event == SDL_WINDOWEVENT_MINIMIZED)
                InputFocusLost();
            break;
        default:
            break;
    }
}

namespace {
InputHook inputHook = nullptr;
}  // namespace

void SetInputHook(InputHook hook) { inputHook = hook; }

void InputApplyScript(long long frame) {
    for (const ScriptedKey& k : Platform().options.script) {
        if (k.frame != frame) continue;
        if (k.kind == ScriptedKind::Key) SetKey(k.key, k.down);
        if (k.kind == ScriptedKind::FocusOut) InputFocusLost();
    }
    if (!inputHook) return;
    std::vector<ScriptedKey> changes;
    inputHook(frame, changes);
    for (const ScriptedKey& k : changes) SetKey(k.key, k.down);
}

void InputReset() {
    InputState& in = Input();
    in.down.fill(false);
    in.hits.fill(0);
    in.focusLosses = 0;
    in.displayToggles = 0;
    in.altEnters = 0;
}

void InputFocusLost() {
    // Keys released elsewhere would otherwise stay held forever.
    Input().down.fill(false);
    Input().focusLosses++;
}

int FocusLossHit() { return std::exchange(Input().focusLosses, 0); }
int AltEnterHit() { return std::exchange(Input().altEnters, 0); }
int InputTakeDisplayToggles() { return std::exchange(Input().displayToggles, 0); }

bool KeyDown(int vk) { return vk > 0 && vk < 256 && Input().down[vk]; }

int KeyHit(int vk) {
    if (vk <= 0 || vk > 255) return 0;
    const int n = Input().hits[vk];
    Input().hits[vk] = 0;
    return n;
}

void FlushKeys() {
    Input().hits.fill(0);
    Input().altEnters = 0;
    PadFlush();
}

void PumpEvents() {
    PlatformState& p = Platform();
    if (QuitSignalled()) p.quitRequested = true;
    if (!p.started || (p.options.kind == PlatformKind::HeadlessNoGL && !PadStarted())) return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) p.quitRequested = true;
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) DisplayResized();
        // Headless keys come from the script alone; its pad is a virtual one.
        if (!IsHeadless()) InputHandleEvent(event);
        PadHandleEvent(event);
    }
}
