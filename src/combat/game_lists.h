// Every list of game objects at once, for game and level starts.
#pragma once

// Empties every entity list: shots, invaders, pickups, explosions, particles
// and captions.
void ClearGameLists();
