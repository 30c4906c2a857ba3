#include "combat/earth.h"

#include "combat/base.h"
#include "game/game_state.h"

void EarthUpkeep() {
    if (EarthShrinkSteps > 0 && EarthRadius > 20) {
        EarthShrinkSteps -= 1;
        EarthRadius -= 0.2f;
        if (EarthRadius <= 20 || EarthShrinkSteps < 0) {
            EarthRadius = 20;
            EarthShrinkSteps = 0;
        }
    }
    if (PowerupKind == 13 && EarthRadius > 20) {
        EarthRadius -= 0.5f;
        if (!(EarthRadius > 20)) {
            EarthRadius = 20;
            PowerupKind = 0;
            MaxPlayerShots = 5;
            PowerupBarShown = 1;
            PowerupTime = 0;
            BaseShieldLook = 0;
        }
    }
    if (PowerupKind == 14 && EarthRadius < 26) {
        EarthRadius += 0.5f;
        if (!(EarthRadius < 26)) {
            EarthRadius = 26;
            PowerupKind = 0;
            MaxPlayerShots = 5;
            PowerupBarShown = 0;
            PowerupTime = 0;
            BaseShieldLook = 0;
        }
    }
}
