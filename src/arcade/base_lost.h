// Losing the base: shots and invaders against the base and its shields,
// invaders reaching the Earth, and the sequence that costs a life.
#pragma once

// After each shown frame.
void CheckBaseLost();

// The life-lost sequence on its own, for a base already destroyed (Frozen = 1).
void RunLifeLost();

// The longest the wreck may burn before the sequence ends anyway.
constexpr int LifeLostFrameLimit = 1200;
