// The arcade game: one blocking routine that runs a whole game, frame by frame.
#pragma once

// Runs one game from the level select to its end; GameOverState, LastScore and
// LastLevel tell how it went.
void PlayArcadeGame();

// The Earth's circle with its landmasses, or the overlord on boss levels.
void DrawCentralBody();

// Counts frames for the FPS counter and draws it while ShowFps = 1.
void CountAndShowFps();

// The game-end bookkeeping both modes share: last score, level and name, the
// local table, best and top score; the FPS counter hidden again.
void RecordGameResult(int levelReached);

// Empties every entity list (game and level starts).
void ClearGameLists();

// The frame's passes, in their fixed order; move = 0 draws a frozen scene
// (the exit prompt), move = 1 plays.
void DrawArcadeScene(int move);
