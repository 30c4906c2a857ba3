#include "combat/controls.h"

#include <cmath>

#include "combat/base.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "platform/platform.h"

namespace {

// The remainder keeps the dividend's sign, so the angle may go negative;
// everything that reads it goes through Sin, Cos or truncation.
void Turn(float by) { BaseAngle = std::fmod(BaseAngle + by, 360.0f); }

void SpendShield() {
    SpawnParticles(ShieldIconX(Shields), 66, 3, 2);  // where the spent shield's HUD icon stood
    Shields -= 1;
    // The double base stays under the shield and comes back as a lasting
    // double base when the shield runs out.
    DoubleBasePending = PowerupKind == 3 ? 1 : 0;
    PowerupTime = 100;
    PowerupDecay = 0.4f;
    PowerupBarShown = 1;
    BaseShieldLook = 2;
    MaxPlayerShots = 5;
}

}  // namespace

int ShieldIconX(int i) { return 827 + 32 * i; }

void HandlePlayerControls() {
    if (BossDeathPhase != 0) return;
    const float joyX = JoystickOn == 1 ? JoyX() : 0;
    if (KeyDown(KeyLeft) || (JoystickOn == 1 && joyX < -0.9f)) Turn(-2);
    if (KeyDown(KeyRight) || (JoystickOn == 1 && joyX > 0.9f)) Turn(2);
    const bool joyFire = JoystickOn == 1 && JoyHit() > 0;
    if (KeyDown(KeyFire) || joyFire) FirePlayerWeapon();
    if (KeyHit(KeyShield) > 0 && Shields > 0) SpendShield();
}
