// The base's shots going up and the bombs coming down.
#include "classic/classic_game.h"
#include "classic/classic_parts.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/shots.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "ui/screen.h"

namespace {

constexpr uint32_t ShotColour = 0xFF00FFFF, BombColour = 0xFFFFFF00;
constexpr float TopOfField = 8;
constexpr float GroundHitY = 746;

void DrawUpright(float x, float y1, float y2, uint32_t colour) {
    TPoly::Line(GlowImage, 0, x + float(OffsetX), y1 + float(OffsetY), colour, x + float(OffsetX),
                y2 + float(OffsetY), colour, float(LineWidth24));
}

// True when the shot took an invader with it.
bool ShotHitsInvader(const PlayerBullets& shot) {
    for (auto it = EnemiesList.begin(); it != EnemiesList.end(); ++it) {
        if (!BoxesTouch(shot.x - 1, shot.y - 3, 2, 6, it->x - 20, it->y - 16, 38, 16)) continue;
        PlaySfx("Boom");
        Score += it->Score;
        StatKilledByBullets += 1;
        const int x = int(it->x), y = int(it->y);
        SpawnExplosion(x, y, HitFlash, 0);
        SpawnParticles(x, y, 10, 0);
        EnemiesList.erase(it);
        return true;
    }
    return false;
}

bool ShotHitsMothership(const PlayerBullets& shot) {
    if (MothershipOn == 0 || shot.y >= 260) return false;
    if (!BoxesTouch(shot.x - 1, shot.y - 3, 2, 6, MothershipX - 40, 90, 88, 40)) return false;
    PlaySfx("BaseDestroyed");
    SpawnParticles(int(MothershipX), int(MothershipY), 50, 0);
    SpawnExplosion(int(MothershipX), int(MothershipY), ShockRing, -1, ShockRingYellow);
    SpawnExplosion(int(MothershipX), int(MothershipY), ShockRing, 1, ShockRingRed);
    PlaySfx("Boom");
    MothershipFlash = 8;
    StatUfosShot += 1;
    // Its last act is to let go of every bomb it carries; then it is gone.
    DropBombCurtain();
    MothershipOn = 0;
    return true;
}

}  // namespace

void DropBomb(float x, float y, float speed) {
    EnemyBullets bomb;
    bomb.x = bomb.xcenter = x;
    bomb.y = bomb.ycenter = y;
    bomb.yspeed = speed;
    EnemyBulletsList.push_back(bomb);
}

void FireClassicShot() {
    PlaySfx("Fire1");
    PlayerBullets shot;
    shot.x = shot.xcenter = float(BaseX);
    shot.y = shot.ycenter = ShotStartY;
    PlayerBulletsList.push_back(shot);
    StatShotsFired += 1;
}

void UpdateClassicShots(int move) {
    for (auto it = PlayerBulletsList.begin(); it != PlayerBulletsList.end();) {
        DrawUpright(it->x, it->y, it->y - ShotLength, ShotColour);
        if (move == 0) {
            ++it;
            continue;
        }
        it->y -= ShotSpeed;
        it->ycenter = it->y;
        bool gone = ShotHitsInvader(*it) || ShotHitsMothership(*it);
        if (!gone && it->y < TopOfField) {
            SpawnExplosion(int(it->x), int(it->y), HitFlash, 0);
            gone = true;
        }
        it = gone ? PlayerBulletsList.erase(it) : std::next(it);
    }
    if (MothershipFlash > 0) {
        // Added onto the whole field, fading over a few frames.
        const uint32_t alpha = uint32_t(255 * MothershipFlash / 8);
        FillRect(float(OffsetX), float(OffsetY), 1024, 768, (alpha << 24) | 0xFFFFFF);
        if (move == 1) MothershipFlash--;
    }
}

void UpdateBombs(int move) {
    for (auto it = EnemyBulletsList.begin(); it != EnemyBulletsList.end();) {
        DrawUpright(it->x, it->y, it->y + BombLength, BombColour);
        if (move == 0) {
            ++it;
            continue;
        }
        it->y += it->yspeed;
        it->ycenter = it->y;
        bool gone = false;
        if (it->y >= BunkerZoneTop && it->y <= BunkerZoneBottom)
            gone = BiteBunkers(it->x, it->y - BombLength, BombBiteRadius) > 0;
        if (!gone && ClassicBaseAlive() &&
            BoxesTouch(it->x - 1, it->y, 2, BombLength, float(BaseX) - BaseHalfWidth, BaseBombTop,
                       2 * BaseHalfWidth, BaseBoxHeight)) {
            PlaySfx("BaseDestroyed");
            for (int dx : {-18, 0, 18}) SpawnParticles(int(it->x) + dx, int(it->y), 10, 3);
            DestroyClassicBase();
            gone = true;
        }
        if (!gone && it->y > GroundHitY) {
            PlaySfx("BounceOffRock");
            SpawnParticles(int(it->x), int(GroundY), 10, 3);
            gone = true;
        }
        it = gone ? EnemyBulletsList.erase(it) : std::next(it);
    }
}
