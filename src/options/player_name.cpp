#include "effects/vector_font.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "options/options_screen.h"
#include "platform/platform.h"
#include "ui/screen.h"

namespace {

// The first character key hit this frame: "0", then space, then 1..9, A..Z.
int TakenCharacter() {
    if (KeyHit(48)) return 48;
    if (KeyHit(VkSpace)) return VkSpace;
    for (int code = 49; code <= 90; ++code)
        if (KeyHit(code)) return code;
    return 0;
}

void DrawNameScreen() {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawVectorText("set name", 2.5f, 2, 0xFF80FF40, 0, 3, 1, 0);
    DrawVectorText("edit name using keys     and    .", 2, 7, 0xFFFFFF00, 0, 1, 1, 0);
    DrawVectorText("                     a-z     0-9.", 2, 7, 0xFFFF4040, 0, 1, 1, 0);
    DrawVectorText("use           to erase characters.", 2, 8.5f, 0xFFFFFF00, 0, 1, 1, 0);
    DrawVectorText("    backspace                     ", 2, 8.5f, 0xFFFF4040, 0, 1, 1, 0);
    DrawVectorText("      or     to end editing.", 5, 10, 0xFFFFFF00, 0, 1, 1, 0);
    DrawVectorText("enter    esc                ", 5, 10, 0xFFFF4040, 0, 1, 1, 0);
    DrawVectorText("(max 10 chars)", 11, 14, 0xFFFF4040, 0, 1, 1, 0);
    DrawVectorText("current player:", 5, 18, 0xFF00FFFF, 0, 1, 1, 0);
    DrawVectorText(PlayerName, 21, 18, 0xFF8080FF, 0, 1, 1, 0);
}

}  // namespace

int EditPlayerName() {
    FlushKeys();
    for (;;) {
        DrawNameScreen();
        if (KeyHit(VkBackspace)) {
            Blip();
            if (!PlayerName.empty()) PlayerName.pop_back();
        }
        // Typing runs first and flushes, so a letter used as fire key types.
        if (const int code = TakenCharacter()) {
            if (PlayerName.size() < 10) {
                PlayerName += char(code);
                Blip();
            }
            FlushKeys();
        }
        TPoly::_End();
        ShowFrame();
        if (KeyHit(VkEscape) + KeyHit(VkReturn) + KeyHit(KeyFire) > 0) {
            Blip();
            if (PlayerName.empty()) PlayerName = "noname";
            Delay(150);
            FlushKeys();
            return 0;
        }
    }
}
