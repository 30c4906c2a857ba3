// A record of the glow segments drawn, for tests that check what a drawing
// routine draws without any OpenGL.
#pragma once

#include <cstdint>
#include <vector>

struct GlowSegment {
    float x1 = 0, y1 = 0;
    uint32_t colour1 = 0;
    float x2 = 0, y2 = 0;
    uint32_t colour2 = 0;
    float width = 0;
    int shape = 0;  // the TPoly shape it was drawn in (numbered from 1), 0 none
    float shapeX = 0, shapeY = 0;
};

// While set, every segment TPoly::Line draws is also appended here (display
// pixels, as passed to Line). Segments Line skips are not recorded.
extern std::vector<GlowSegment>* GlowCapture;
