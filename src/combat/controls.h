// The player's controls and weapons.
#pragma once

// Turning, firing and the shield key, once per frame.
void HandlePlayerControls();

// Fires the weapon the running powerup gives, if the cooldown and the shot
// limit allow it.
void FirePlayerWeapon();

// One frame of the beam weapon: drawn, and everything it crosses destroyed.
void FireBeam();
