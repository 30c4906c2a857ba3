#include "app/mode_dispatch.h"

#include "app/main_menu.h"
#include "app/startup.h"
#include "arcade/arcade_game.h"
#include "audio/sound.h"
#include "classic/classic_game.h"
#include "combat/game_lists.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "online/highscores.h"
#include "options/options_screen.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"

Picture* ClassicTeaseImage = nullptr;

void RunGameMode(GameMode mode) {
    Lives = 4;
    Score = 0;
    FlushKeys();
    if (MusicOn == 1) {
        Sound::Stop("Menu-loop");
        Sound::Play("Ingame-loop", 1);
    }
    if (mode == PlayArcadeMode) PlayArcadeGame();
    if (mode == PlayClassicMode) PlayClassicGame();
    if (MusicOn == 1) {
        Sound::Stop("Ingame-loop");
        Sound::Play("Menu-loop", 1);
    }
    Delay(25);
    FlushKeys();
    ResetMenuState();
    GameOverState = 0;
    ClearGameLists();
}

void ShowClassicLocked() {
    FlushKeys();
    for (;;) {
        BeginScreenFrame();
        DrawPicture(ClassicTeaseImage, float(OffsetX), float(OffsetY), 0.2f);
        TPoly::_Begin();
        DrawCentredTextRow("Classic mode", -8);
        DrawCentredTextRow("will be unlocked", -6);
        DrawCentredTextRow("once you complete", -5);
        DrawCentredTextRow("all 100 levels.", -3);
        DrawCentredTextRow("press FIRE to continue", 0);
        TPoly::_End();
        ShowFrame();
        if (KeyHit(KeyFire) + KeyHit(VkEscape) + KeyHit(VkReturn) + PadAcceptHit() + PadBackHit() > 0) break;
    }
    FlushKeys();
}

void RunMenuScreen(int menuItem) {
    if (menuItem == 2) ShowInstructions();
    if (menuItem == 3) ShowOptions();
    if (menuItem == 4) ShowHighscores(0);
}
