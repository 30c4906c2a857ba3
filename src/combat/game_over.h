// The game-over screen.
#pragma once

// Variant 0 arcade, 1 classic. Does nothing while lives are left; otherwise
// ends the game (GameOverState = 1).
void ShowGameOver(int variant);
