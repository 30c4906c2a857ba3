// The player's controls and weapons.
#pragma once

// Turning, firing and the shield key, once per frame.
void HandlePlayerControls();

// Fires the weapon the running powerup gives, if the cooldown and the shot
// limit allow it.
void FirePlayerWeapon();

// One frame of the beam weapon: drawn, and everything it crosses destroyed.
void FireBeam();

// Where the HUD draws the i-th shield icon (1..5), field pixels. The row
// ends so that the fifth icon's glow, even at the strongest glow setting,
// stays inside the play area instead of being cut at its right edge.
int ShieldIconX(int i);
