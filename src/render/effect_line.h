// The one road every particle, explosion and caption segment takes to the
// glow renderer. Tests and benchmarks can put a tap on it to see (or cost)
// exactly what a pass would draw, without a display.
#pragma once

#include <cstdint>

struct EffectSegment {
    float x1 = 0, y1 = 0;
    uint32_t colour1 = 0;
    float x2 = 0, y2 = 0;
    uint32_t colour2 = 0;
    float width = 0;
};

// When set, segments go to the tap instead of the renderer.
using EffectSegmentTap = void (*)(const EffectSegment& segment);
extern EffectSegmentTap EffectTap;

// Draws a glow segment given in play-area pixels (the screen offsets are
// added here). A segment of no length has no direction to build a strip
// along, so it is left out.
void DrawEffectLine(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2, int width);
