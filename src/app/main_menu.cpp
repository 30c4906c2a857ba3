#include "app/main_menu.h"

#include "app/mode_dispatch.h"
#include "app/startup.h"
#include "audio/sound.h"
#include "common/random.h"
#include "effects/central_pictures.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "online/score_sync.h"
#include "options/options_screen.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"
#include "ui/yes_no_prompt.h"

int MenuItem = 0;
float LogoScale = 0.01f;
int LogoSpin = 340;
int CreditBlink = 0;
int CreditToggle = 0;

namespace {

struct MenuEntry {
    const char* label;
    float x;
};

const MenuEntry Entries[6] = {
    {"arcade mode", 13.5f}, {"classic mode", 12.5f}, {"instructions", 12.5f},
    {"set Options", 13.5f}, {"show scores", 13.5f},  {" exit game", 13.5f},
};

void AnimateLogo() {
    if (LogoScale < 1) {
        LogoScale += 0.03f;
        if (LogoScale > 1) LogoScale = 1;
        LogoSpin -= 10;
    }
}

void DrawMenuBackground() {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawMenuPicture(0, 0, 0);
    DrawTitleLogo(0, 8, LogoSpin, LogoScale);
}

void DrawExitPromptScene() {
    DrawMenuBackground();
    AnimateLogo();
    DrawVectorText(OldCreditLine, 8, 35, 0xFFDFA51B, 0, 0.75f, 0.75f, 0);
    DrawVectorText("1.00", 66, 54, 0xFF303030, 0, 0.5f, 0.5f, 0);
}

void RunExitPrompt() {
    const int answer = RunYesNoPrompt({"exit menu (y/n)", DrawExitPromptScene, false});
    GameOverState = answer == 1 ? 1 : 0;
}

void SelectEntry() {
    switch (MenuItem) {
        case 0:
            RunGameMode(PlayArcadeMode);
            CreditToggle = 0;
            break;
        case 1:
            Blip();
            if (ClassicUnlocked == 1) {
                RunGameMode(PlayClassicMode);
                CreditToggle = 0;
                MenuItem = 0;
            } else {
                ShowClassicLocked();
            }
            break;
        case 2:
        case 3:
        case 4:
            Blip();
            RunMenuScreen(MenuItem);
            ResetMenuState();
            break;
        default:
            Blip();
            GameOverState = 2;
            MenuItem = 0;
            break;
    }
}

}  // namespace

void ResetMenuState() {
    MenuItem = 0;
    TextZoom = 25;
    LogoScale = 0.01f;
    LogoSpin = 340;
    CreditBlink = 0;
}

void RunMainMenu() {
    ResetMenuState();
    CreditToggle = 0;
    GameOverState = 0;
    FlushKeys();
    while (GameOverState != 1) {
        DrawMenuBackground();
        AnimateLogo();
        if (MenuItem == 0)
            DrawZoomText("level: " + std::to_string(HighestLevel), 14, 15, 0xFFFFFFFF, 0, 1, 1, 0);
        const uint32_t colour = uint32_t(Rand(-50000, -10000));
        DrawZoomText(Entries[MenuItem].label, Entries[MenuItem].x, 20, colour, TextZoom, 1, 1, 0);
        DrawVectorText("1.00", 67, 54, 0xFF303030, 0, 0.5f, 0.5f, 0);

        const bool next = KeyHit(VkDown) + KeyHit(VkRight) + PadDownHit() + PadRightHit() > 0;
        const bool prev = KeyHit(VkUp) + KeyHit(VkLeft) + PadUpHit() + PadLeftHit() > 0;
        if (next) MenuItem = MenuItem == 5 ? 0 : MenuItem + 1;
        if (prev) MenuItem = MenuItem == 0 ? 5 : MenuItem - 1;
        if (next || prev) {
            TextZoom = 25;
            Blip();
        }
        if (TextZoom > 0) TextZoom -= 1.5f;
        DrawVectorText("use arrows for options", 14, 28.5f, 0xFFFF40FF, 0, 0.75f, 0.75f, 0);
        DrawVectorText("and 'enter' to select", 14, 30, 0xFFFF40FF, 0, 0.75f, 0.75f, 0);

        // A sub-screen shows frames of its own: this frame's drawing is ended
        // first and the menu starts afresh when it returns.
        bool dispatched = false;
        if (KeyHit(VkTab)) {
            TPoly::_End();
            Blip();
            ShowOptions();
            ResetMenuState();
            dispatched = true;
        }
        if (!dispatched && (KeyHit(VkReturn) + KeyHit(KeyFire) + PadAcceptHit() > 0)) {
            TPoly::_End();
            SelectEntry();
            dispatched = true;
        }
        if (!dispatched && KeyHit(VkEscape) + PadBackHit() > 0) {
            Blip();
            GameOverState = 2;
            MenuItem = 0;
        }
        if (dispatched) {
            if (GameOverState == 2) RunExitPrompt();
            continue;
        }
        if (CreditToggle == 0) {
            DrawVectorText(CreditLine, 8, 35, 0xFFDFA51B, 0, 0.75f, 0.75f, 0);
        } else {
            const uint32_t c = MenuFooterText == OldCreditLine ? 0xFFDFA51B : 0xFFFFFFFF;
            DrawVectorText(MenuFooterText, 8, 35, c, 0, 0.75f, 0.75f, 0);
        }
        TPoly::_End();
        ShowFrame();
        if (++CreditBlink > 180) {
            CreditBlink = 0;
            CreditToggle ^= 1;
        }
        if (GameOverState == 2) RunExitPrompt();
    }
}
