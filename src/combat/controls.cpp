#include "combat/controls.h"

#include <cmath>

#include "combat/base.h"
#include "effects/particles.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "platform/platform.h"
#include "ui/pad.h"

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

// Alt is the shield key, and half of Alt+Enter, which switches the display.
// The shield comes on the press, before any Enter can follow, so a shield
// whose Alt is then joined by Enter is taken back as if never raised.
struct ShieldBefore {
    bool held = false;  // a shield raised by the shield key, which is still down
    int shields, doubleBasePending, powerupBarShown, baseShieldLook, maxPlayerShots;
    float powerupTime, powerupDecay;
};
ShieldBefore LastShield;

void RaiseShield() {
    LastShield = {true, Shields, DoubleBasePending, PowerupBarShown, BaseShieldLook, MaxPlayerShots, PowerupTime,
                  PowerupDecay};
    SpendShield();
}

void TakeBackAltEnterShield() {
    const bool altEnter = AltEnterHit() > 0;
    const bool altShield = IsAltKey(KeyShield);
    if (!altShield || !KeyDown(KeyShield)) LastShield.held = false;
    if (!altEnter || !LastShield.held) return;
    LastShield.held = false;
    Shields = LastShield.shields;
    DoubleBasePending = LastShield.doubleBasePending;
    PowerupBarShown = LastShield.powerupBarShown;
    BaseShieldLook = LastShield.baseShieldLook;
    MaxPlayerShots = LastShield.maxPlayerShots;
    PowerupTime = LastShield.powerupTime;
    PowerupDecay = LastShield.powerupDecay;
}

}  // namespace

int ShieldIconX(int i) { return 827 + 32 * i; }

void HandlePlayerControls() {
    TakeBackAltEnterShield();
    if (BossDeathPhase != 0) return;
    if (KeyDown(KeyLeft) || PadTurnLeft()) Turn(-2);
    if (KeyDown(KeyRight) || PadTurnRight()) Turn(2);
    // A held pad button fires as a held fire key does.
    const bool padFire = PadFireHeld();
    if (KeyDown(KeyFire) || padFire) FirePlayerWeapon();
    // One shield a frame; only the key's can turn out to be half of Alt+Enter.
    const bool keyShield = KeyHit(KeyShield) > 0, padShield = PadShieldHit() > 0;
    if (keyShield && Shields > 0) RaiseShield();
    else if (padShield && Shields > 0) SpendShield();
}
