// What each caught pickup does.
#include <iterator>

#include "combat/invaders.h"
#include "combat/pickups.h"
#include "combat/ufo.h"
#include "combat/waves.h"
#include "common/maths.h"
#include "common/random.h"
#include "effects/central_pictures.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "ui/screen.h"

namespace {

// A timed powerup: replaces whatever runs now.
void StartTimed(int kind, int shieldLook, float decay, int maxShots) {
    PowerupKind = kind;
    BaseShieldLook = shieldLook;
    PowerupTime = 100;
    PowerupDecay = decay;
    MaxPlayerShots = maxShots;
}

// An instant effect: whatever runs now ends with the next frame.
void EndRunningPowerup() {
    PowerupKind = 0;
    BaseShieldLook = 0;
    PowerupTime = 1;
    PowerupDecay = 1;
    MaxPlayerShots = 5;
}

// Whole passes over the invaders, each one going with chance 1 in 10, until
// half of them are gone; a pass is always finished, so it may take more.
void ThinOutInvaders() {
    if (EnemiesList.size() < 4) return;
    int n = int(EnemiesList.size()) / 2;
    do {
        for (auto it = EnemiesList.begin(); it != EnemiesList.end();) {
            if (Rand(1, 10) != 5) {
                ++it;
                continue;
            }
            const int x = TruncToInt(it->x), y = TruncToInt(it->y);
            SpawnExplosion(x, y, HitFlash, 0);
            SpawnParticles(x, y, 10, 0);
            PlaySfx("Boom");
            it = EnemiesList.erase(it);
            n -= 1;
        }
    } while (n > 0);
}

}  // namespace

void ApplyPowerup(int kind) {
    if (ResetPatternAfterPowerup == 1) InvaderMovePattern = 0;
    if (kind < 1 || kind > 14) return;

    int caption = kind;
    if (kind == 10 && Rand(1, 20) >= 11) caption = 15;  // "invaders speed up!"
    if (kind == 12 && UfoState > 0) caption = 3;         // one at a time: a shield instead
    SpawnFlyingText(caption, 0);

    switch (kind) {
    case 1: StartTimed(1, 0, 0.3f, 15); break;
    case 2: StartTimed(2, 0, 0.3f, 5); break;
    case 3: StartTimed(0, 1, 0.15f, 5); break;
    case 4: StartTimed(0, 2, 0.2f, 5); break;
    case 5: StartTimed(3, 0, 0.15f, 10); break;
    case 6: StartTimed(4, 0, 0.2f, 5); break;
    case 7:
        EndRunningPowerup();
        Lives += 1;
        BurstSize = 0.1f;
        BurstAtBase = 0;
        break;
    case 8:
        EndRunningPowerup();
        ThinOutInvaders();
        break;
    case 9:
        EndRunningPowerup();
        SpawnWave(Level);
        break;
    case 10:
        StartTimed(0, 0, 0.15f, 5);
        InvaderMovePattern = 1;
        ResetPatternAfterPowerup = 1;
        break;
    case 11:
        StartTimed(0, 0, 0.15f, 5);
        InvaderMovePattern = 2;
        ResetPatternAfterPowerup = 1;
        break;
    case 12:
        if (UfoState > 0) {
            StartTimed(0, 1, 0.15f, 5);
        } else {
            EndRunningPowerup();
            StartUfo();
        }
        break;
    case 13:
    case 14:
        // The Earth itself changes size frame by frame in the Earth upkeep.
        StartTimed(kind, 0, 0.1f, 5);
        PowerupBarShown = 0;
        break;
    default: break;
    }
}

void MarkCarriers(int value, int kind) {
    for (Enemies& e : EnemiesList)
        if (e.Frame == kind) e.SpecificPowerup = value;
}
