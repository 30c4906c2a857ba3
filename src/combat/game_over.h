// The end of a game: the statistics the combat passes count, the pages that
// show them, and the game-over screen.
#pragma once

#include <string>

// Reset to 0 at the start of every game.
extern int StatShotsFired;        // 3 per tripleshot, 2 per double-base shot, none for the beam
extern int StatKilledByBullets;   // invaders destroyed by player shots
extern int StatKilledByBeam;      // invaders destroyed by the beam
extern int StatShotsShot;         // invader shots destroyed by player shots
extern int StatKilledByOwnShots;  // invaders destroyed by deflected invader shots
extern int StatUfosShot;          // UFOs destroyed, by shots or the beam
extern int StatPickupsDropped;
extern int StatPickupsCaught;

extern float StatsRow;      // text row of the next StatsLine
extern float StatsRowStep;  // rows between two lines

void ResetGameStats();

// Hits per hundred shots fired, truncated; beam kills count as hits but the
// beam fires no shots, so it can pass 100. 0 when no shot was fired.
int HitAccuracy();
// "Hit accuracy: 37;" (the font's percent sign), or "Hit accuracy: not
// available" when the figure is 0 or less.
std::string HitAccuracyText();

// "0012345": the score as its last seven digits, zero-padded.
std::string SevenDigitScore(int score);

// The text padded with a space at each end, again and again, until it is at
// least 48 characters long; at least one pair is always added.
std::string PadStatsLine(std::string text);

// One centred line of the full page, then the row moves on.
void StatsLine(const std::string& text);

// The full page of the arcade mode and the short one of the classic mode.
void DrawGameStats();
void DrawShortGameStats();

// After a lost life (variant 0, arcade) or from the classic mode (variant
// 1): nothing unless Lives = 0; otherwise shows "game over", the score and
// the statistics until a key is hit, then sets GameOverState = 1.
void ShowGameOver(int variant);
