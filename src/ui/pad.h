// What the game controller means to the game, beside the keyboard. Nothing
// of it counts while JoystickOn is 0, except that the first press of any of
// the pad's buttons switches JoystickOn on and saves it, so that a player
// with only a pad in hand is never stuck. Without a pad every answer is 0.
#pragma once

// The options switch; a pad connected now is then left as the player chose.
void SetJoystickOn(int on);

// Menus and screens: the d-pad or the stick pushed that way.
int PadUpHit();
int PadDownHit();
int PadLeftHit();
int PadRightHit();
bool PadLeftHeld();   // left or up held (the level select walks while held)
bool PadRightHeld();  // right or down
int PadAcceptHit();   // A or Start: Enter or fire
int PadBackHit();     // B or Back: Escape

// A y/n prompt: 1 yes (Y), 2 no (B, Back or Start), 0 none.
int PadPromptAnswer();

// Play: turning with the d-pad or the stick past the joystick's threshold.
bool PadTurnLeft();
bool PadTurnRight();
bool PadFireHeld();    // held now, or pressed since the last frame
int PadFireHit();
int PadShieldHit();    // B or either shoulder

// Call when a game starts; afterwards true, once, when Start was pressed or
// the pad in use went away since the last call: the game opens its exit prompt.
void BeginPadWatch();
bool PadAsksToLeave();

// The key code a pad button stands for in an "any key" scan (A the fire
// key, B, Back and the shoulders Escape, the others Return), 0 when none.
int PadAnyKey();
