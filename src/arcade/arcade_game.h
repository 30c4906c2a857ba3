// The arcade game: one blocking routine that runs a whole game, frame by frame.
#pragma once

// Runs one game from the level select to its end; GameOverState, LastScore and
// LastLevel tell how it went.
void PlayArcadeGame();

// The Earth's circle with its landmasses, or the overlord on boss levels.
void DrawCentralBody();

// The frame's passes, in their fixed order; move = 0 draws a frozen scene
// (the exit prompt), move = 1 plays.
void DrawArcadeScene(int move);
