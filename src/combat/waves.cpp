#include "combat/waves.h"

#include <iterator>

#include "combat/formations.h"
#include "combat/invaders.h"
#include "common/random.h"
#include "game/game_state.h"
#include "game/levels.h"

void SpawnWave(int level) {
    UfoTimer = Rand(2000, 4000);
    if (level < 1 || level > FormationCount) return;
    const int waveId = Rand(1, 65000);
    const int startAngle = Rand(1, 359);
    const float step = Rand(1, 2) == 1 ? -0.1f : 0.1f;

    const size_t before = EnemiesList.size();
    for (int ring = FormationRings - 1; ring >= 0; --ring)
        for (int k = 0; k < FormationCells; ++k) {
            const int v = FormationCell(level, ring, k);
            if (v < 1 || v > 5) continue;
            Enemies e;
            e.angle = float(startAngle + 13 * k);
            e.radius = float(80 + 8 * ring);
            e.Frame = v;
            e.FramePlus = 0;
            e.SoundToggle = 0;
            e.WaveID = waveId;
            e.Direction = step;
            e.HitPoints = InvaderHp[v];
            e.Score = 10 * v;
            e.SpecificPowerup = 0;
            e.PowerupPayload = 0;
            EnemiesList.push_back(e);
        }
    if (EnemiesList.size() == before) return;

    // Carriers: passes over the new wave, each free invader getting a 4 in 10
    // chance, until enough carry or every one of them does.
    const auto first = std::next(EnemiesList.begin(), std::ptrdiff_t(before));
    int n = PickupCarriers;
    while (n > 0) {
        bool anyFree = false;
        for (auto it = first; it != EnemiesList.end() && n > 0; ++it) {
            if (it->PowerupPayload != 0) continue;
            anyFree = true;
            if (Rand(1, 10) < 5) {
                it->PowerupPayload = 1;
                n -= 1;
            }
        }
        if (!anyFree) break;
    }
}
