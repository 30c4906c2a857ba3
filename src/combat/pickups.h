// Pickups dropped by destroyed invaders and UFOs, and the per-level combat
// settings.
#pragma once

// radius in orbit units, angle in degrees; extra is 7 for a UFO's pickup;
// specific > 0 forces that kind.
void SpawnPickup(int radius, int angle, int extra, int specific);

void ApplyLevelCombatSettings(int level);
