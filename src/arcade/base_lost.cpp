#include "arcade/base_lost.h"

#include <cmath>

#include "arcade/arcade_game.h"
#include "arcade/hud.h"
#include "audio/sound.h"
#include "combat/base.h"
#include "combat/collisions.h"
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
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/screen.h"

namespace {

void BaseDestroyed() {
    Frozen = 1;
    SpawnFlyingText(BaseDestroyedCaption, 0);
}

// One base against every invader shot, by the shield it wears.
void ShotsAgainstBase(int bx, int by, bool mainBase) {
    for (auto it = EnemyBulletsList.begin(); it != EnemyBulletsList.end();) {
        const int sx = TruncToInt(it->xcenter), sy = TruncToInt(it->ycenter);
        bool gone = false;
        if (BaseShieldLook == 0 && WithinDistance(sx, sy, bx, by, 18)) {
            PlaySfx("BaseDestroyed");
            SpawnExplosion(bx, by, BaseWreck, 0);
            if (mainBase && Lives > 1) SpawnParticles(120, 36, 64, 0);  // from the HUD's life icon
            gone = true;
            BaseDestroyed();
        } else if (BaseShieldLook == 1 && WithinDistance(sx, sy, bx, by, 24)) {
            PlaySfx("ShieldHit");
            gone = true;
        } else if (BaseShieldLook == 2 && WithinDistance(sx, sy, bx, by, 32)) {
            // Turned outwards, it can now destroy invaders; still inside the
            // shield next frame, it is turned again.
            PlaySfx("BounceOffRock");
            it->angle += Rand(-3, 3);
            it->RadiusSpeed = 3;
        }
        it = gone ? EnemyBulletsList.erase(it) : std::next(it);
    }
}

bool InvaderTakesBase(int bx, int by, int px, int py, const Enemies& e) {
    if (!WithinDistance(bx, by, px, py, 32) && !(e.radius - 1 < EarthRadius + 1)) return false;
    PlaySfx("BaseDestroyed");
    SpawnExplosion(px, py, HitFlash, 0);
    SpawnExplosion(px, py, StarBurst, 0);
    SpawnExplosion(px, py, BaseWreck, 0);
    SpawnExplosion(bx, by, BaseWreck, 0);
    BaseDestroyed();
    return true;
}

// Within 40 pixels the invader dies; within 32 (or on reaching the Earth)
// it takes the base with it.
void InvadersAgainstBases() {
    for (auto it = EnemiesList.begin(); it != EnemiesList.end();) {
        const int px = TruncToInt(it->x), py = TruncToInt(it->y);
        bool gone = false;
        if (WithinDistance(BaseX, BaseY, px, py, 40)) {
            SpawnExplosion(px, py, HitFlash, 0);
            gone = true;
        }
        InvaderTakesBase(BaseX, BaseY, px, py, *it);
        if (PowerupKind == 3) InvaderTakesBase(SecondBaseX, SecondBaseY, px, py, *it);
        it = gone ? EnemiesList.erase(it) : std::next(it);
    }
}

void DrawWreckFrame() {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawCentralBody();
    DrawSpareLives();
    DrawBase(BaseAngle, 0);
    if (PowerupKind == 3) DrawBase(std::fmod(BaseAngle + 180, 360.0f), 1);
    UpdatePlayerShots();
    UpdateInvaderShots();
    DrawInvaders();
    UpdateParticles(1);
    UpdateExplosions(0);
    DrawHudScore();
    UpdateBurst(1, TruncToInt(BurstSpin));
    UpdateFlyingTexts(1);
    TPoly::_End();
    ShowFrame();
}

}  // namespace

void RunLifeLost() {
    BurstSize = 0.1f;
    BurstAtBase = 1;
    if (SoundOn == 1 && UfoState == 0 && Sound::IsPlaying("ufo3-loop")) Sound::Stop("ufo3-loop");
    // The wreck's end sets Frozen = 2; the limit only guards against a wreck
    // that never burns out.
    for (int frame = 0; frame < LifeLostFrameLimit; ++frame) {
        DrawWreckFrame();
        if (Frozen == 2 && FlyingTextList.empty()) break;
    }
    Frozen = 0;
    EnemyBulletsList.clear();
    PlayerBulletsList.clear();
    ExplosionsList.clear();
    StarsList.clear();
    FlyingTextList.clear();
    UfoState = 0;
    BurstSize = 0;
    InvaderMovePattern = 0;
    FireCooldown = 10;
    MaxPlayerShots = 5;
    BaseShieldLook = 0;
    PowerupKind = 0;
    PowerupTime = 1;
    PowerupDecay = 99;
    const float pushOut = BigEarthLevel == 0 ? 6.0f : 5.0f;
    for (Enemies& e : EnemiesList) e.radius += pushOut;
    if (BigEarthLevel == 0) EarthRadius -= 4;
    if (EarthRadius < 20) EarthRadius = 20;
    PowerupKind = 0;
    Lives -= 1;
    if (Lives > 0) {
        InvaderMovePattern = 0;
        PowerupKind = 0;
        BaseShieldLook = 1;  // a fresh base comes with an absorb shield
        PowerupTime = 100;
        PowerupDecay = 0.75f;
        MaxPlayerShots = 5;
        ApplyLevelCombatSettings(Level);
    }
    ShowGameOver(0);
}

void CheckBaseLost() {
    if (Frozen == 0) {
        ShotsAgainstBase(BaseX, BaseY, true);
        if (PowerupKind == 3) ShotsAgainstBase(SecondBaseX, SecondBaseY, false);
    }
    InvadersAgainstBases();
    if (Frozen == 1) RunLifeLost();
}
