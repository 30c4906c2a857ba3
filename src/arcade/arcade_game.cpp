#include "arcade/arcade_game.h"

#include <cmath>
#include <string>

#include "arcade/base_lost.h"
#include "arcade/hud.h"
#include "arcade/level_progress.h"
#include "arcade/level_select.h"
#include "arcade/level_setup.h"
#include "audio/sound.h"
#include "combat/base.h"
#include "combat/controls.h"
#include "combat/earth.h"
#include "combat/game_lists.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/central_pictures.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "online/highscores.h"
#include "online/score_sync.h"
#include "platform/platform.h"
#include "ui/fps_counter.h"
#include "ui/screen.h"
#include "ui/yes_no_prompt.h"

namespace {

void ResetGame() {
    StartLevel = Level;
    Lives = 4;
    EarthRadius = 20;
    BaseAngle = 0;
    GameOverState = 0;
    Score = 0;
    FireDelay = 10;
    FireCooldown = FireDelay;
    MaxPlayerShots = 5;
    PowerupKind = 0;
    PowerupTime = 1;
    PowerupDecay = 99;  // the start powerup runs out on the first frame
    BossDeathPhase = 0;
    Shields = 5;
    Frozen = 0;
    UfoState = 0;
    InvaderMovePattern = 0;
    BaseShieldLook = 0;
    // The march starts on its first beat, whatever the last game left.
    WalkInterval = 20;
    WalkTimer = 20;
    WalkToggle = 0;
    ResetGameStats();
    BurstSize = 0;
    BurstAtBase = 0;
    LastGameMode = 0;
}

void DrawBases() {
    DrawBase(BaseAngle, 0);
    if (PowerupKind == 3) DrawBase(float(TruncToInt(std::fmod(BaseAngle + 180, 360.0f))), 1);
}

void RunPowerupTimer() {
    if (PowerupTime > 0) PowerupTime -= PowerupDecay;
    if (PowerupTime > 0) return;
    PowerupTime = 0;
    PowerupDecay = 1;
    PowerupKind = 0;
    BaseShieldLook = 0;
    if (ResetPatternAfterPowerup == 1) InvaderMovePattern = 0;
    if (DoubleBasePending == 1) {
        DoubleBasePending = 0;
        PowerupKind = 3;
        BaseShieldLook = 0;
        PowerupTime = 100;
        PowerupDecay = 0;  // a lasting double base
        MaxPlayerShots = 10;
        PowerupBarShown = 0;
    }
}

void DrawDottedRing(float r, bool randomColours, uint32_t c1, uint32_t c2) {
    for (int a = 0; a <= 360; a += 8) {
        const float x = 512 + Sin(float(a)) * r + float(OffsetX);
        const float y = 384 - Cos(float(a)) * r + float(OffsetY);
        if (randomColours) c1 = c2 = 0xFF000000u + uint32_t(Rand(1, 65000));
        TPoly::Line(GlowImage, 0, x, y, c1, x + 2, y + 2, c2, float(LineWidth16));
    }
}

void DrawTargetRing() {
    if (TargetRingTimer > 0) TargetRingTimer--;
    if (TargetRingTimer <= 0) return;
    if (BossLevel == 1 && EarthRadius > 0) DrawDottedRing(6.0f * float(BossBurstRadius), true, 0, 0);
    else if (BigEarthLevel == 1) DrawDottedRing(6.0f * float(BigEarthTarget), false, 0xFFFF00FF, 0xFF80FFC0);
}

void DrawFrozenScene() {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawArcadeScene(0);
    CountAndShowFps();
}

void RunExitPrompt() {
    const int answer = RunYesNoPrompt({"exit game (y/n)", DrawFrozenScene, true});
    GameOverState = answer == 1 ? 3 : 0;
}

void EndGame() {
    RecordGameResult(Level);
    Level = 1;
    if (SoundOn == 1 && UfoState == 0 && Sound::IsPlaying("ufo3-loop")) Sound::Stop("ufo3-loop");
}

// One step of the overlord's death after each frame of a boss level: debris
// bursts out of it for 80 frames, then it shrinks away.
void RunOverlordDeath() {
    if (BossDeathPhase == 2) EarthRadius -= 2;
    if (BossDeathPhase != 1) return;
    BossDeathTimer += 1;
    if (BossDeathTimer == 5) {
        SpawnExplosion(512, 384, DebrisDots, 0);
        PlaySfx("alienscream");
    }
    if (BossDeathTimer < 60 && Rand(1, 90) < 4) {
        PlaySfx("Boom");
        for (int i = 0; i < 5; ++i) SpawnExplosion(512 + Rand(-38, 38), 384 + Rand(-38, 38), DebrisDots, 0);
    }
    if (BossDeathTimer == 80) {
        SpawnExplosion(512, 384, DebrisStreaks, 0);
        PlaySfx("AlienDie");
        BossDeathPhase = 2;
        PlaySfx("Bzzt");
        BurstAllInvaderShots();
    }
}

}  // namespace

void DrawCentralBody() {
    DrawGlowPolygon(512, 384, 0, 36, EarthRadius, 0xFF40FFFF);
    if (BossLevel == 0) DrawLandmass();
    if (BossLevel == 1 && BossDeathPhase < 2) DrawOverlord(-Cos(float(BossPulse * 32)));
}

// Explosions always animate, even behind the exit prompt, so running ones finish.
void DrawArcadeScene(int move) {
    DrawCentralBody();
    DrawBases();
    if (move == 1) {
        UpdatePlayerShots();
        UpdateInvaderShots();
        UpdateInvaders();
        UpdateUfo();
        UpdateExplosions(0);
        DrawHud();
        HandlePlayerControls();
        UpdatePickups(1);
        UpdateParticles(1);
        UpdateBurst(1, TruncToInt(BurstSpin));
        UpdateFlyingTexts(1);
    } else {
        DrawShots();
        DrawInvaders();
        UpdateExplosions(0);
        DrawUfoStill();
        UpdatePickups(0);
        UpdateParticles(0);
        UpdateBurst(0, TruncToInt(BurstSpin));
        UpdateFlyingTexts(0);
        DrawHud();
    }
}

void PlayArcadeGame() {
    SelectLevel();
    // From here on a turn away pauses, even one during the title screen.
    ForgetFocusLosses();
    ResetGame();
    ClearGameLists();
    WavesSpawned = 1;
    WaveCount = 1;
    SetupLevel(Level);
    FpsClock = float(Millisecs());
    FlushKeys();

    while (GameOverState == 0) {
        BeginScreenFrame();
        TPoly::_Begin();
        DrawArcadeScene(1);
        if (FireCooldown > 0) FireCooldown--;
        RunPowerupTimer();
        EarthUpkeep();
        TPoly::_End();
        if (++BossPulse > 359) BossPulse = 0;
        TPoly::_Begin();
        CountAndShowFps();
        DrawTargetRing();
        TPoly::_End();
        ShowFrame();
        CheckBaseLost();
        if (GameOverState != 0) break;  // nothing more to check or prompt for once the game is lost
        CheckLevelProgress();
        if (GameOverState != 0) break;
        if (PlayPauseAsked()) RunExitPrompt();
        if (BossLevel == 1) RunOverlordDeath();
    }
    EndGame();
}
