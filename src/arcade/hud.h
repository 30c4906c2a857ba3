// The heads-up display of the arcade mode.
#pragma once

// Lives, score, waves or time bonus, level or powerup bar, shields; it also
// counts the big-earth time bonus down, so that runs whenever it is drawn.
void DrawHud();

// The score line alone, as the life-lost frames show it.
void DrawHudScore();
