// What the menu's entries start. Each mode and screen is a blocking routine
// of its own subsystem; this is the one place that knows them all.
#pragma once

enum GameMode { PlayArcadeMode, PlayClassicMode };

// Runs a game with the menu's framing: in-game music, the game, menu music
// back, and the lists and menu state cleared afterwards.
void RunGameMode(GameMode mode);

// The locked-mode notice picture, drawn faintly behind the text.
struct Picture;
extern Picture* ClassicTeaseImage;

// The locked classic-mode notice, until fire, Escape or Enter.
void ShowClassicLocked();

// Menu entries 2 to 4: instructions, options, scores.
void RunMenuScreen(int menuItem);
