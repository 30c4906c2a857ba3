// Firing: what each powerup makes of a press of the fire key, and the beam.
#include <cmath>

#include "combat/base.h"
#include "combat/collisions.h"
#include "combat/controls.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "combat/ufo.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "ui/screen.h"

namespace {

void AddShot(int angle, int powerup = 0) {
    PlayerBullets shot;
    shot.angle = angle;
    shot.radius = EarthRadius - EarthRadius / 2;
    shot.startradius = EarthRadius;
    shot.Powerup = powerup;
    PlayerBulletsList.push_back(shot);
}

int MirrorAngle() { return TruncToInt(std::fmod(BaseAngle + 180, 360.0f)); }

void FireTripleShot() {
    AddShot(TruncToInt(BaseAngle));
    int left = TruncToInt(BaseAngle - 5);
    if (left < 0) left += 360;
    AddShot(left);
    int right = TruncToInt(BaseAngle + 5);
    if (right > 359) right -= 360;
    AddShot(right);
}

struct FieldPoint {
    float x, y;
};
FieldPoint AtAngle(float a, float d) { return {512 + Sin(a) * d, 384 - Cos(a) * d}; }

void DrawBeamLine(float from, float to, uint32_t colour) {
    const FieldPoint a = AtAngle(from, EarthRadius * 8), b = AtAngle(to, 450);
    const float ox = float(OffsetX), oy = float(OffsetY);
    TPoly::Line(GlowImage, 0, a.x + ox, a.y + oy, colour, b.x + ox, b.y + oy, colour, float(LineWidth24));
}

bool BeamCrosses(const FieldPoint& a, const FieldPoint& b, float x1, float y1, float x2, float y2) {
    return SegmentsCross(x1, y1, x2, y2, a.x, a.y, b.x, b.y) == 1;
}

// The beam takes whatever its line crosses, hit points or not.
void BeamInvaders(const FieldPoint& a, const FieldPoint& b) {
    for (auto it = EnemiesList.begin(); it != EnemiesList.end();) {
        const int* target = InvaderShapes[ShapeAngleIndex(it->angle)][11][0];
        const float cx = 512 + Sin(it->angle) * it->radius * 5.8f;
        const float cy = 384 - Cos(it->angle) * it->radius * 5.8f;
        if (!BeamCrosses(a, b, cx + float(target[2]), cy + float(target[3]), cx + float(target[4]),
                         cy + float(target[5]))) {
            ++it;
            continue;
        }
        if (it->Frame == 4) PlaySfx("Meow");
        PlaySfx("Boom");
        Score += 1;
        const int x = TruncToInt(it->x), y = TruncToInt(it->y);
        SpawnExplosion(x, y, HitFlash, 0);
        SpawnParticles(x, y, 16, 0);
        Score += it->Score / 2;
        if (EarthRadius > 20) EarthRadius -= EarthShrinkPerKill;
        if (it->PowerupPayload == 1) SpawnPickup(TruncToInt(it->radius), TruncToInt(it->angle), 0, 0);
        it = EnemiesList.erase(it);
        StatKilledByBeam += 1;
    }
}

}  // namespace

void FireBeam() {
    FireCooldown = 0;
    PlayerShotCount = 0;
    const uint32_t k = uint32_t(Rand(-50000, -1));
    DrawBeamLine(BaseAngle, BaseAngle, 0xFFFFFFFF);
    DrawBeamLine(BaseAngle - 1, BaseAngle - 0.5f, k);
    DrawBeamLine(BaseAngle + 1, BaseAngle + 0.5f, k);
    const FieldPoint a = AtAngle(BaseAngle, EarthRadius * 4), b = AtAngle(BaseAngle, 450);
    if (UfoState > 0) {
        float rim[4];
        UfoRimSegment(rim);
        // Not counted for a saucer level; the UFO pass silences its loop.
        if (BeamCrosses(a, b, rim[0], rim[1], rim[2], rim[3])) DestroyUfo(TruncToInt(rim[0]), TruncToInt(rim[1]), 0);
    }
    BeamInvaders(a, b);
}

void FirePlayerWeapon() {
    if (PlayerShotCount >= MaxPlayerShots || FireCooldown != 0) return;
    if (PowerupKind != 2) FireCooldown = FireDelay;
    switch (PowerupKind) {
        case 0:
            PlaySfx("Fire1");
            AddShot(TruncToInt(BaseAngle));
            StatShotsFired += 1;
            break;
        case 1:
            PlaySfx("Fire1");
            FireTripleShot();
            StatShotsFired += 3;
            break;
        case 2:
            PlaySfx("Bzzt");
            FireBeam();
            break;
        case 3:
            PlaySfx("Fire1");
            PlaySfx("Fire3");
            AddShot(TruncToInt(BaseAngle));
            AddShot(MirrorAngle());
            StatShotsFired += 2;
            break;
        case 4:
            PlaySfx("Fire3");
            AddShot(TruncToInt(BaseAngle), 4);
            StatShotsFired += 1;
            break;
        default:
            break;  // the Earth pickups leave the gun silent, reloaded all the same
    }
}
