// Setting up a level: its title screen, its row and combat settings, the
// lists emptied and its first wave released.
#pragma once

// Shows the level's title screen (a key ends it after the first second, it
// ends by itself after five), then sets the level's parameters, empties
// every entity list and releases the first wave; a level whose formation is
// empty starts with the fallback formation instead.
void SetupLevel(int level);
