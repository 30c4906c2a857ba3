// Setting up a level: its title screen, its row and combat settings, the
// lists emptied and its first wave released.
#pragma once

void SetupLevel(int level);
