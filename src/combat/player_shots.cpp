// The player-shot pass: move, draw, count, leave the field, and the hits on
// invader shots and on the UFO. (Hits on invaders are the invader pass's.)
#include "combat/base.h"
#include "combat/collisions.h"
#include "combat/game_over.h"
#include "combat/shot_drawing.h"
#include "combat/ufo.h"
#include "common/maths.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "ui/screen.h"

namespace {

bool OffField(const ShotEnds& e) { return e.tailX < 0 || e.tailX > 1024 || e.tailY < 0 || e.tailY > 767; }

// A shot already taken off the field this frame still meets the invader
// shots here, so `gone` may already be set; it is removed once, afterwards.
void MeetInvaderShots(const PlayerBullets& shot, bool& gone) {
    const int sx = TruncToInt(shot.xcenter), sy = TruncToInt(shot.ycenter);
    for (auto it = EnemyBulletsList.begin(); it != EnemyBulletsList.end();) {
        const int ix = TruncToInt(it->xcenter), iy = TruncToInt(it->ycenter);
        if (!WithinDistance(sx, sy, ix, iy, 8)) {
            ++it;
            continue;
        }
        PlaySfx("BulletHitBullet");
        SpawnExplosion(ix, iy, StarBurst, 0);
        SpawnParticles(ix, iy, 4, 0);
        if (shot.Powerup == 0) gone = true;  // a power shot flies on
        it = EnemyBulletsList.erase(it);
        StatShotsShot += 1;
        Score += 1;
    }
}

void HitUfo() {
    float rim[4];
    UfoRimSegment(rim);
    for (auto it = PlayerBulletsList.begin(); it != PlayerBulletsList.end(); ++it) {
        const float s = Sin(float(it->angle)), c = Cos(float(it->angle));
        const float bx = 512 + s * it->startradius * 5.8f, by = 384 - c * it->startradius * 5.8f;
        const float x1 = bx + s * (it->radius - 2), y1 = by - c * (it->radius - 2);
        const float x2 = bx + s * (it->radius + 8), y2 = by - c * (it->radius + 8);
        if (!SegmentsCross(rim[0], rim[1], rim[2], rim[3], x1, y1, x2, y2)) continue;
        DestroyUfo(TruncToInt(x2), TruncToInt(y2), 1);  // counts for a saucer level
        PlayerBulletsList.erase(it);
        return;
    }
}

}  // namespace

void UpdatePlayerShots() {
    PlayerShotCount = 0;
    for (auto it = PlayerBulletsList.begin(); it != PlayerBulletsList.end();) {
        if (Frozen == 0) it->radius += 4;
        const ShotEnds ends = PlacePlayerShot(*it);
        DrawPlayerShot(*it, ends);
        PlayerShotCount += 1;
        bool gone = OffField(ends);
        MeetInvaderShots(*it, gone);
        it = gone ? PlayerBulletsList.erase(it) : std::next(it);
    }
    if (UfoState > 0) HitUfo();
}
