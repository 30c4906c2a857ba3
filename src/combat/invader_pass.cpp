// The invader pass: every invader drawn segment by segment, hit by the
// player's shots at the segment ends, firing, animating and moving; the
// draw-only pass; the marching sound; an invader's shot.
#include "combat/base.h"
#include "combat/collisions.h"
#include "combat/game_over.h"
#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/shots.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "ui/screen.h"

namespace {

using ShapeSlots = const int32_t (*)[9];

// An invader of a kind outside 1..5 (only a damaged record) draws as the
// empty shape 0: just its centre, no segments.
ShapeSlots OutlineOf(const Enemies& e) {
    int s = InvaderShapeNumber(e);
    if (s < 1 || s >= InvaderShapeCount) s = 0;
    return InvaderShapes[ShapeAngleIndex(e.angle)][s];
}

// One slot of the outline: its segment drawn at the invader's offset, and
// the invader's (x, y) moved to the segment's end.
void DrawSlot(Enemies& e, const int32_t* slot, float ox, float oy) {
    const uint32_t colour = uint32_t(slot[1]);
    const float cx = 512 + ox, cy = 384 + oy;
    const float dx = cx + float(OffsetX), dy = cy + float(OffsetY);
    TPoly::Line(GlowImage, 0, dx + float(slot[2]), dy + float(slot[3]), colour, dx + float(slot[4]),
                dy + float(slot[5]), colour, float(LineWidth20));
    e.x = cx + float(slot[4]);
    e.y = cy + float(slot[5]);
}

enum class HitOutcome { Alive, Destroyed, NukedAll };

// The nuke carrier's end: every invader bursts. Only the carrier itself
// scored and dropped what it carried. The list is emptied once the
// carrier's outline is done, since shots still meet it until then.
void NukeEveryInvader() {
    for (const Enemies& e : EnemiesList) {
        const int x = TruncToInt(e.x), y = TruncToInt(e.y);
        SpawnExplosion(x, y, HitFlash, 0);
        SpawnParticles(x, y, 10, 0);
        PlaySfx("Boom");
    }
}

// The last hit point gone: score, the Earth's shrink, what it carried.
HitOutcome Destroy(const Enemies& e) {
    Score += e.Score;
    StatKilledByBullets += 1;
    if (EarthRadius > 20) EarthRadius -= EarthShrinkPerKill;
    const int r = TruncToInt(e.radius), a = TruncToInt(e.angle);
    if (e.PowerupPayload == 1) SpawnPickup(r, a, 0, 0);
    if (e.SpecificPowerup > 0 && e.SpecificPowerup < 25) SpawnPickup(r, a, 0, e.SpecificPowerup);
    if (e.SpecificPowerup == 30) {
        NukeEveryInvader();
        return HitOutcome::NukedAll;
    }
    return HitOutcome::Destroyed;
}

// Every player shot within 8 pixels of the invader's current (x, y) takes a
// hit point. Only a count that reaches exactly 0 destroys it. A destroyed
// invader still stands in the shots' way for the rest of its outline this
// frame: a second normal shot there is spent on it, and a power shot takes a
// point at every end it meets. Normal shots are spent, power shots fly on.
HitOutcome TestShots(Enemies& e, HitOutcome outcome) {
    const int x = TruncToInt(e.x), y = TruncToInt(e.y);
    for (auto it = PlayerBulletsList.begin(); it != PlayerBulletsList.end();) {
        if (!WithinDistance(x, y, TruncToInt(it->x), TruncToInt(it->y), 8)) {
            ++it;
            continue;
        }
        if (e.Frame == 4) PlaySfx("Meow");
        PlaySfx("Boom");
        SpawnExplosion(x, y, HitFlash, 0);
        SpawnParticles(x, y, 20, 0);
        e.HitPoints -= 1;
        if (e.HitPoints == 0) outcome = Destroy(e);
        if (it->Powerup == 0) it = PlayerBulletsList.erase(it);
        else ++it;
    }
    return outcome;
}

// A shot this far from an invader's centre can hit none of its segment
// ends: they lie within 22 pixels of the centre, a hit needs less than 8,
// and truncating both points moves them by less than 3 more (1 to spare).
// Skipping the per-end tests then changes nothing but the time taken.
constexpr float OutlineReach = 22 + 8 + 3 + 1;

bool AnyShotNear(float cx, float cy) {
    for (const PlayerBullets& s : PlayerBulletsList) {
        const float dx = s.x - cx, dy = s.y - cy;
        if (dx * dx + dy * dy < OutlineReach * OutlineReach) return true;
    }
    return false;
}

// Draws the invader's outline (slots 0..n, the last one empty, so (x, y)
// ends at the centre); with testHits, the shots are tested after each slot.
HitOutcome DrawOutline(Enemies& e, bool testHits) {
    float ox = 0, oy = 0;
    InvaderCentreOffset(e, ox, oy);
    const ShapeSlots slots = OutlineOf(e);
    int n = slots[0][0];
    if (n < 0 || n >= InvaderShapeSlots) n = 0;
    if (testHits && !AnyShotNear(512 + ox, 384 + oy)) testHits = false;
    HitOutcome outcome = HitOutcome::Alive;
    TPoly::BeginShape(512 + ox + float(OffsetX), 384 + oy + float(OffsetY));
    for (int k = 0; k <= n; ++k) {
        DrawSlot(e, slots[k], ox, oy);
        if (testHits) outcome = TestShots(e, outcome);
    }
    TPoly::EndShape();
    return outcome;
}

void MarchSound() {
    if (SoundOn == 1 && Frozen == 0) {
        const int step = StepMarch();
        if (step == 1) PlaySfx("Walk1");
        if (step == 2) PlaySfx("Walk2");
    }
    WalkInterval = MarchInterval(int(EnemiesList.size()), PowerupKind);
}

}  // namespace

void UpdateInvaders() {
    InvaderCount = 0;
    for (auto it = EnemiesList.begin(); it != EnemiesList.end();) {
        Enemies& e = *it;
        NormaliseInvaderAngle(e);
        const HitOutcome outcome = DrawOutline(e, Frozen == 0);
        InvaderCount += 1;
        if (outcome == HitOutcome::NukedAll) {
            EnemiesList.clear();
            break;
        }
        if (outcome == HitOutcome::Destroyed) {
            // Gone: a destroyed invader neither fires nor moves any more.
            it = EnemiesList.erase(it);
            continue;
        }
        if (Rand(1, InvaderFireChance) == 40 && InvaderShotCount < MaxInvaderShots && BossDeathPhase == 0)
            InvaderFire(TruncToInt(e.angle), TruncToInt(e.radius));
        AnimateInvader(e);
        if (Frozen == 0) MoveInvader(e, InvaderMovePattern);
        ++it;
    }
    MarchSound();
}

void DrawInvaders() {
    for (Enemies& e : EnemiesList) DrawOutline(e, false);
}

void InvaderFire(int angle, int radius) {
    PlaySfx("Fire2");
    EnemyBullets s;
    s.angle = angle;
    s.Radius = float(radius - 4);
    s.startradius = float(radius - 4);
    s.RadiusSpeed = -3;
    EnemyBulletsList.push_back(s);
}
