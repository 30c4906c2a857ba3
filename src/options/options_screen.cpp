#include "options/options_screen.h"

#include <string>

#include "audio/sound.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "options/display_mode.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"

namespace {

std::string OnOff(const char* what, int on) { return std::string(what) + (on ? " (on)/off" : " on/(off)"); }

std::string EntryText(int index) {
    const std::string size = std::to_string(ScreenWidth) + "x" + std::to_string(ScreenHeight);
    switch (index) {
        case 0: return FullScreen == 1 ? "change to window mode (" + size + ")" : "change to fullscreen(" + size + ")";
        case 1: return "set resolution to 1024x768  (4:3)";
        case 2: return "set resolution to 1280x1024 (4:3)";
        case 3: return "set resolution to 1440x900  (16:10)";
        case 4: return "set resolution to 1680x1050 (16:9)";
        case 5: return "change playername from: " + PlayerName;
        case 6: return "redefine keys";
        case 7: return BackgroundOn == 0 ? "use background on/(off)" : "use background (on)/off";
        case 8: return "adjust amount of glow";
        case 9: return OnOff("Gamepad", JoystickOn);
        case 10: return OnOff("Sound effects", SoundOn);
        case 11: return OnOff("Music", MusicOn);
        case 12: return "return to mainmenu";
        default: return "";
    }
}

uint32_t EntryColour(int index) {
    if (index == 0) return 0xFFFF40F0;
    if (index >= 1 && index <= 4) return 0xFFFFFFFF;
    if (index == 5) return 0xFFFFFF00;
    if (index == 12) return 0xFFFFFFFF;
    return 0xFFFF00FF;
}

// Returns true when the entry asks to leave.
bool Activate(int index) {
    switch (index) {
        case 0: ToggleFullScreen(); break;
        case 1:
        case 2:
        case 3:
        case 4: {
            const ScreenMode& r = ScreenModes[index - 1];
            ScreenWidth = r.width, ScreenHeight = r.height, OffsetX = r.offsetX, OffsetY = r.offsetY;
            OffsetYCopy = OffsetY;
            ReopenDisplay();
            break;
        }
        case 5: EditPlayerName(); break;
        case 6: Blip(); RedefineKeys(); break;
        case 7: Blip(); BackgroundOn = 1 - BackgroundOn; break;
        case 8: AdjustGlow(); break;
        case 9: Blip(); SetJoystickOn(1 - JoystickOn); break;
        case 10: Blip(); SoundOn = 1 - SoundOn; break;  // judged before the toggle
        case 11:
            Blip();
            MusicOn = 1 - MusicOn;
            if (MusicOn == 0) Sound::Stop("Menu-loop");
            else Sound::Play("Menu-loop", 1);
            break;
        default: return true;
    }
    return false;
}

}  // namespace

int ShowOptions() {
    int cursor = 0;
    for (;;) {
        FlushKeys();  // a hit counts only within the frame it came in
        BeginScreenFrame();
        TPoly::_Begin();
        DrawVectorText("options", 3, 2, 0xFF80FF40, 0, 3, 1, 0);
        DrawVectorText(">", 0.5f, 6 + 1.5f * float(cursor), 0xFF80FF40, 0, 1, 1, 0);
        for (int i = 0; i < 13; ++i) DrawVectorText(EntryText(i), 2, 6 + 1.5f * float(i), EntryColour(i), 0, 1, 1, 0);
        DrawVectorText("use arrows to move and fire to activate.", 5, 35.5f, 0xFF00FFFF, 0, 0.75f, 0.75f, 0);
        TPoly::_End();
        ShowFrame();
        if (KeyHit(VkF12)) {
            PlaySfx("Meow");
            ShowFps = 1 - ShowFps;
        }
        bool leave = false;
        if (KeyHit(VkReturn) + KeyHit(KeyFire) + PadAcceptHit() > 0) leave = Activate(cursor);
        if (KeyHit(VkUp) + PadUpHit() > 0) {
            cursor = cursor == 0 ? 12 : cursor - 1;
            Blip();
        }
        if (KeyHit(VkDown) + PadDownHit() > 0) {
            cursor = cursor == 12 ? 0 : cursor + 1;
            Blip();
        }
        if (leave || KeyHit(VkEscape) + PadBackHit() > 0) {
            FlushKeys();
            Blip();
            SaveProgress();
            return 0;
        }
    }
}
