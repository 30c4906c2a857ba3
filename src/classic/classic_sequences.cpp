// The screens that interrupt play: the pause between waves, the lost base,
// and the question whether to leave the game.
#include <string>

#include "classic/classic_game.h"
#include "classic/classic_parts.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "common/maths.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/fps_counter.h"
#include "ui/pad.h"
#include "ui/screen.h"
#include "ui/yes_no_prompt.h"

namespace {

constexpr int NextLevelFrames = 180, NextLevelEscapeAfter = 60, BlinkPeriod = 40;
constexpr int LifeLostEscapeBelow = 80;
constexpr uint32_t White = 0xFFFFFFFF;
constexpr uint32_t LifeLostRed = 0xFFFF0002;

// The field as it stands, nothing moved. Explosions and particles are the
// callers' business: some screens let them run on.
void DrawStillField() {
    DrawClassicInvaders();
    DrawClassicGround();
    DrawClassicBase();
    UpdateMothership(0);
    UpdateClassicShots(0);
    UpdateBombs(0);
    DrawBunkers();
    DrawClassicHud();
}

// The glow widths swell and shrink around the player's setting; whatever
// way the sequence is left, the setting's own widths come back.
struct GlowPulse {
    ~GlowPulse() { ApplyGlowAmount(); }
    void Set(int frame) {
        ApplyGlowAmount();
        const int d = TruncToInt(4 * Sin(float(frame * 12)));
        for (int* w : {&LineWidth10, &LineWidth14, &LineWidth16, &LineWidth18, &LineWidth20, &LineWidth24,
                       &LineWidth28, &LineWidth32})
            *w += d;
    }
};

}  // namespace

void RunClassicNextLevel() {
    // A wave the base was lost to has nothing more to show. Bombs still
    // falling and a mothership still crossing wait, unmoved, for the next.
    if (WaveCleared == 1) EnemiesList.clear();
    for (int frame = 1; frame <= NextLevelFrames; ++frame) {
        BeginScreenFrame();
        TPoly::_Begin();
        DrawClassicGround();
        DrawClassicBase();
        UpdateClassicShots(1);
        UpdateExplosions(0);
        UpdateParticles(1);
        UpdateBunkers();
        DrawClassicHud();
        if ((frame - 1) % BlinkPeriod < BlinkPeriod / 2)
            DrawVectorText("Prepare for next level", 220, 280, 0xFF00FFFF, 0, 1, 1, 1);
        if (frame % BlinkPeriod == 1) PlaySfx("Ding");
        TPoly::_End();
        ShowFrame();
        if (KeyHit(VkEscape) + PadBackHit() > 0 && frame > NextLevelEscapeAfter) break;
    }
    SpawnClassicWave();
    RebuildBunkers();
    BaseX = BaseStartX;
    WaveCleared = 0;
    BombCooldown = 100;
    ClassicLevel += 1;
    ClassicSpeed += 1;
    MarchSpeed = ClassicSpeed + 8;
    DropStep = ClassicSpeed + 16;
}

void RunClassicLifeLost() {
    GlowPulse pulse;
    float zoom = 25;
    for (int frame = 0; Frozen > 1; ++frame) {
        ClearScreen();
        FillRect(float(OffsetX), float(OffsetY), 1024, 768, LifeLostRed);
        pulse.Set(frame);
        TPoly::_Begin();
        DrawStillField();
        UpdateExplosions(0);
        UpdateParticles(1);
        DrawZoomText("Life lost!", 268, 360, White, zoom, 2, 2, 1);
        TPoly::_End();
        ShowFrame();
        if (zoom > 0) zoom -= 1;
        Frozen -= 1;
        if (KeyHit(VkEscape) + PadBackHit() > 0 && Frozen < LifeLostEscapeBelow) break;
    }
    ApplyGlowAmount();
    FlushKeys();
    Frozen = 0;
    BaseX = BaseStartX;
    ClassicWalkToggle = 0;
    MothershipOn = 0;
    MothershipFlash = 0;
    Lives -= 1;
    if (Lives <= 0) {
        Lives = 0;
        GameOverState = 1;
    }
    // A fresh base must not meet the bombs that took the last one.
    PlayerBulletsList.clear();
    EnemyBulletsList.clear();
    ExplosionsList.clear();
    ShowGameOver(1);
}

void DrawFrozenField() {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawStillField();
    UpdateExplosions(1);
    UpdateParticles(0);
    CountAndShowFps();
}

void RunClassicExitPrompt() {
    if (RunYesNoPrompt({"exit game (y/n)", DrawFrozenField, true}) == 1) GameOverState = 3;
}
