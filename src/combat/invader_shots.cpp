// The invader-shot pass: move, draw and count; incoming shots that reach the
// Earth make it grow, deflected ones destroy every invader they come near.
#include "combat/collisions.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shot_drawing.h"
#include "common/maths.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "ui/screen.h"

namespace {

bool ReachesEarth(const EnemyBullets& shot) {
    return WithinDistance(TruncToInt(shot.x), TruncToInt(shot.y), 512, 384, TruncToInt(EarthRadius * 5.8f)) == 1;
}

// One deflected shot takes every invader within 12 pixels of it this frame,
// for half their points each.
bool DestroyInvadersNear(const EnemyBullets& shot) {
    const int sx = TruncToInt(shot.x), sy = TruncToInt(shot.y);
    bool hit = false;
    for (auto it = EnemiesList.begin(); it != EnemiesList.end();) {
        const int ix = TruncToInt(it->x), iy = TruncToInt(it->y);
        if (!WithinDistance(sx, sy, ix, iy, 12)) {
            ++it;
            continue;
        }
        if (it->Frame == 4) PlaySfx("Meow");
        PlaySfx("Boom");
        SpawnExplosion(TruncToInt(shot.xcenter), TruncToInt(shot.ycenter), StarBurst, 0);
        SpawnParticles(ix, iy, 20, 0);
        Score += it->Score / 2;
        if (it->PowerupPayload == 1) SpawnPickup(TruncToInt(it->radius), TruncToInt(it->angle), 0, 0);
        hit = true;
        it = EnemiesList.erase(it);
        StatKilledByOwnShots += 1;
        EarthShrinkSteps = TruncToInt(EarthShrinkPerKill);
    }
    return hit;
}

bool OffField(const EnemyBullets& shot) { return shot.x < 0 || shot.x > 1023 || shot.y < 0 || shot.y > 767; }

}  // namespace

void UpdateInvaderShots() {
    InvaderShotCount = 0;
    for (auto it = EnemyBulletsList.begin(); it != EnemyBulletsList.end();) {
        if (Frozen == 0) it->Radius += it->RadiusSpeed;
        DrawInvaderShot(PlaceInvaderShot(*it));
        bool gone = false;
        if (it->RadiusSpeed < 0) {
            if (ReachesEarth(*it)) {
                PlaySfx("EarthHit");
                EarthRadius += EarthGrowPerHit;
                gone = true;
            }
        } else {
            gone = DestroyInvadersNear(*it) || OffField(*it);
        }
        InvaderShotCount += 1;
        it = gone ? EnemyBulletsList.erase(it) : std::next(it);
    }
}

void BurstAllInvaderShots() {
    for (const EnemyBullets& shot : EnemyBulletsList) {
        const int x = TruncToInt(shot.xcenter), y = TruncToInt(shot.ycenter);
        SpawnExplosion(x, y, StarBurst, 0);
        SpawnParticles(x, y, 4, 0);
    }
    EnemyBulletsList.clear();
}
