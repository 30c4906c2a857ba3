// The main menu: one entry at a time under the title logo, and the dispatch
// to every mode and screen.
#pragma once

#include <string>

extern int MenuItem;
extern float LogoScale;
extern int LogoSpin;
extern int CreditBlink;
extern int CreditToggle;

// Runs until the player confirms leaving (GameOverState = 1).
void RunMainMenu();

// Puts the menu back to its entry values (after every sub-screen).
void ResetMenuState();
