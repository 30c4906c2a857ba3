#include "combat/ufo_hits.h"

#include "arcade/game_state.h"
#include "combat/base.h"
#include "combat/game_stats.h"
#include "combat/pickups.h"
#include "combat/ufo.h"
#include "common/maths.h"
#include "render/explosions.h"
#include "render/particles.h"

RimSegment UfoRimSegment() {
    const int* slot = UfoShapes[AngleIndex(UfoAngle)][0];
    const float ux = 512 + Sin(UfoAngle) * UfoRadius, uy = 384 - Cos(UfoAngle) * UfoRadius;
    return {ux + float(slot[2]), uy + float(slot[3]), ux + float(slot[4]), uy + float(slot[5])};
}

void DestroyUfo(int x, int y) {
    SpawnExplosion(x, y, ShockRing, -1, ShockRingYellow);
    SpawnExplosion(x, y, ShockRing, 1, ShockRingRed);
    SpawnParticles(x, y, 4, 2);
    SpawnParticles(x, y, 30, 0);
    SpawnPickup(TruncToInt(UfoRadius / 5.8f), TruncToInt(UfoAngle), 7, 0);
    Score += 1000;
    UfoState = 0;
    StatUfosShot += 1;
}
