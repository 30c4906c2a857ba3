// The backdrop taken apart for the split glow path. Reading a full-screen
// texture in the halo's pass costs a software rasterizer about a millisecond
// and a half a frame, yet a sky is mostly smooth: its nebula can be carried
// at the halo picture's resolution, in the halo picture itself, and the few
// pixels that stand out of it (the stars) drawn as single points. Smooth
// layer plus points is the backdrop to within a few levels. Used by
// glow_halo only.
#pragma once

#include <cstdint>
#include <vector>

struct BackdropLayers {
    bool fits = false;  // false: too much sharp detail; the backdrop is read whole
    int divisor = 0;
    // The smooth layer as rows of the halo picture, bottom row first, in
    // the halo picture's blue, green, red, alpha order.
    std::vector<uint8_t> smooth;
    // The sharp pixels: their centres in clip space, and what they add.
    std::vector<float> pointXY;
    std::vector<uint8_t> pointRGBA;
};

// The layers of an opaque backdrop texture the size of the play area
// (width x height) at 1/divisor of its resolution, worked out once and kept;
// nullptr where the backdrop does not fit (or cannot be read back). Leaves
// the backdrop texture bound.
const BackdropLayers* BackdropLayersFor(unsigned texture, int width, int height, int divisor);

// Adds the points onto the play area, from the composite, whose texturing
// it leaves on. Returns the draw calls made.
int DrawBackdropPoints(const BackdropLayers& layers);

// Forgets the kept layers (the OpenGL context is going away).
void ForgetBackdropLayers();
