// Stand-ins for the pickups, the UFO and the game-over screen until they are
// built: no pickups, no UFO, and losing the last life simply ends the game.
// Each piece goes when its own module lands.
#include "arcade/game_state.h"
#include "combat/game_over.h"
#include "combat/pickups.h"
#include "combat/ufo.h"

int UfoState = 0;
float UfoRadius = 0;
float UfoAngle = 0;
int UfoShapes[361][UfoShapeSlots][9];

void DrawUfo(int, int, float) {}

void SpawnPickup(int, int, int, int) {}
void ApplyLevelCombatSettings(int) {}

void ShowGameOver(int) {
    if (Lives <= 0) GameOverState = 1;
}
