// The keyboard. The game speaks Windows virtual-key codes (they are
// what the settings file stores), so SDL scancodes are mapped onto them here,
// with left and right Control, Shift and Alt told apart; the generic codes
// 16, 17 and 18 follow either side.
#include <array>
#include <utility>

#include "platform/key_codes.h"
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
    return IsAltKey(vk) && in.down[VkReturn];
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
            if (!event.key.repeat) SetKey(VirtualKeyOfScancode(event.key.keysym.scancode), true);
            break;
        case SDL_KEYUP:
            SetKey(VirtualKeyOfScancode(event.key.keysym.scancode), false);
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
