#include "combat/game_stats.h"

int StatShotsFired = 0;
int StatKilledByBullets = 0;
int StatKilledByBeam = 0;
int StatShotsShot = 0;
int StatKilledByOwnShots = 0;
int StatUfosShot = 0;
int StatPickupsDropped = 0;
int StatPickupsCaught = 0;

void ResetGameStats() {
    StatShotsFired = StatKilledByBullets = StatKilledByBeam = StatShotsShot = 0;
    StatKilledByOwnShots = StatUfosShot = StatPickupsDropped = StatPickupsCaught = 0;
}
