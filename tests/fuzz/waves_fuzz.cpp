// Feeds arbitrary bytes to the "waves.dat" loader, as a damaged or hand-made
// file would, then releases every formation: whatever was taken must only
// ever make invaders of the five kinds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "combat/formations.h"
#include "combat/invaders.h"
#include "combat/waves.h"
#include "game/levels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static uint8_t before[FormationTableSize];
    std::memcpy(before, WaveFormations, sizeof before);
    const bool taken = LoadWaveFormationsFromBytes(data, size);
    if (taken != (size == size_t(FormationTableSize) && std::memcmp(WaveFormations, data, size) == 0)) std::abort();
    if (!taken && std::memcmp(WaveFormations, before, sizeof before) != 0) std::abort();
    for (int k = 1; k <= 5; ++k) InvaderHp[k] = 10 + k;
    PickupCarriers = 3;
    for (int f = 0; f <= FormationCount + 1; ++f) {
        EnemiesList.clear();
        SpawnWave(f);
        if (int(EnemiesList.size()) != FormationInvaderCount(f)) std::abort();
        for (const Enemies& e : EnemiesList)
            if (e.Frame < 1 || e.Frame > 5 || e.HitPoints != 10 + e.Frame) std::abort();
    }
    EnemiesList.clear();
    return 0;
}
