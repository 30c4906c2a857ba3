// The game's statistics counters, shown when the game is over.
#pragma once

extern int StatShotsFired;        // player shots fired (3 per tripleshot, none for the beam)
extern int StatKilledByBullets;   // invaders destroyed by player shots
extern int StatKilledByBeam;      // invaders destroyed by the beam
extern int StatShotsShot;         // invader shots destroyed by player shots
extern int StatKilledByOwnShots;  // invaders destroyed by deflected invader shots
extern int StatUfosShot;          // UFOs destroyed, by shot or beam
extern int StatPickupsDropped;
extern int StatPickupsCaught;

// Every counter back to 0 (each game's start).
void ResetGameStats();
