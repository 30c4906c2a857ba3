// The Earth's size between hits: the pending shrink after deflected kills,
// and the shrink and grow pickups.
#pragma once

// Once per frame, after the powerup timer.
void EarthUpkeep();
