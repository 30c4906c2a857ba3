// The one road every particle, explosion and caption segment takes to the
// glow renderer.
#pragma once

#include <cstdint>

// Draws a glow segment given in play-area pixels (the screen offsets are
// added here).
void DrawEffectLine(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2, int width);
