#include "ui/pad.h"

#include "game/settings.h"
#include "platform/platform.h"

namespace {

int WatchedPad = -1;
int DecidedPad = -1;

// The pad whose first press may still switch JoystickOn on: one the player
// has switched on or off for is left as the player chose.
int UndecidedPad() { return PadId() == DecidedPad ? -1 : PadId(); }

bool PadOn() {
    if (PadId() < 0) return false;
    const int presses = PadPresses();
    if (JoystickOn == 1) return true;
    if (presses == 0 || UndecidedPad() < 0) return false;
    SetJoystickOn(1);
    SaveSettings();
    return true;
}

int Hits(PadButton a, PadButton b) { return PadOn() ? PadHit(a) + PadHit(b) : 0; }
bool Held(PadButton a, PadButton b) { return PadOn() && (PadDown(a) || PadDown(b)); }

}  // namespace

void SetJoystickOn(int on) {
    JoystickOn = on;
    DecidedPad = PadId();
}

int PadUpHit() { return Hits(PadButton::DpUp, PadButton::StickUp); }
int PadDownHit() { return Hits(PadButton::DpDown, PadButton::StickDown); }
int PadLeftHit() { return Hits(PadButton::DpLeft, PadButton::StickLeft); }
int PadRightHit() { return Hits(PadButton::DpRight, PadButton::StickRight); }

bool PadLeftHeld() {
    return Held(PadButton::DpLeft, PadButton::StickLeft) || Held(PadButton::DpUp, PadButton::StickUp);
}

bool PadRightHeld() {
    return Held(PadButton::DpRight, PadButton::StickRight) || Held(PadButton::DpDown, PadButton::StickDown);
}

int PadAcceptHit() { return Hits(PadButton::A, PadButton::Start); }
int PadBackHit() { return Hits(PadButton::B, PadButton::Back); }

int PadPromptAnswer() {
    if (!PadOn()) return 0;
    const int yes = PadHit(PadButton::Y);
    const int no = PadHit(PadButton::B) + PadHit(PadButton::Back) + PadHit(PadButton::Start);
    return no > 0 ? 2 : yes > 0 ? 1 : 0;
}

bool PadTurnLeft() { return PadOn() && (PadDown(PadButton::DpLeft) || PadStickX() < -PadStickPushed); }
bool PadTurnRight() { return PadOn() && (PadDown(PadButton::DpRight) || PadStickX() > PadStickPushed); }

bool PadFireHeld() {
    if (!PadOn()) return false;
    const bool pressed = PadHit(PadButton::A) > 0;
    return PadDown(PadButton::A) || pressed;
}

int PadFireHit() { return PadOn() ? PadHit(PadButton::A) : 0; }

int PadShieldHit() {
    return Hits(PadButton::B, PadButton::LeftShoulder) + (PadOn() ? PadHit(PadButton::RightShoulder) : 0);
}

void BeginPadWatch() { WatchedPad = PadId(); }

bool PadAsksToLeave() {
    const int now = PadId();
    const bool lost = WatchedPad >= 0 && now != WatchedPad && JoystickOn == 1;
    WatchedPad = now;
    return (PadOn() && PadHit(PadButton::Start) > 0) || lost;
}

int PadAnyKey() {
    if (!PadOn()) return 0;
    int key = 0;
    if (PadHit(PadButton::X) + PadHit(PadButton::Y) + PadHit(PadButton::Start) > 0) key = 13;
    if (PadHit(PadButton::B) + PadHit(PadButton::Back) + PadHit(PadButton::LeftShoulder) +
            PadHit(PadButton::RightShoulder) > 0)
        key = 27;
    if (PadHit(PadButton::A) > 0) key = KeyFire;
    return key;
}
