// Stand-ins for what is still to come from the level and invader work: the
// invader pass only places invaders (nothing drawn, hit or fired), and a
// level starts without its title screen. Each piece goes when its own
// module lands.
#include "arcade/arcade_game.h"
#include "arcade/level_setup.h"
#include "arcade/levels.h"
#include "arcade/waves.h"
#include "combat/invaders.h"
#include "combat/pickups.h"

void DrawInvaders() {
    for (Enemies& e : EnemiesList) {
        float ox = 0, oy = 0;
        InvaderCentreOffset(e, ox, oy);
        e.x = 512 + ox;
        e.y = 384 + oy;
    }
}

void UpdateInvaders() {
    DrawInvaders();
    InvaderCount = int(EnemiesList.size());
}

void SetupLevel(int level) {
    ClearGameLists();
    ApplyLevelDefaults(level);
    ApplyLevelRow(level);
    SpawnWave(level);
    ApplyLevelCombatSettings(level);
}
