// The keys told inside the game: the current bindings (and the pad when it
// is switched on), for a new player on the first title screen of a game.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> KeyHintLines();

// The lines centred from grid row `firstRow` down, small.
void DrawKeyHints(float firstRow);
