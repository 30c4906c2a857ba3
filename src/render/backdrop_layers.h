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
    // The smooth layer as rows of the halo picture, bottom row first, RGBA.
    std::vector<uint8_t> smooth;
    // The sharp pixels: their centres in clip space, and what they add.
    std::vector<float> pointXY;
    std::vector<uint8_t> pointRGBA;
};

// Takes an opaque picture the size of the play area (RGBA, top row first)
// apart at 1/divisor of its resolution. The smooth layer is the darkest of
// each block of divisor x divisor pixels, which the halo's linear filter
// spreads back over the play area; every pixel more than a few levels
// brighter than that becomes a point. Pure arithmetic, so it is tested
// without OpenGL.
BackdropLayers TakeBackdropApart(const uint8_t* rgba, int width, int height, int divisor);

// The layers of this backdrop texture at this divisor, worked out once and
// kept; nullptr where the backdrop does not fit (or cannot be read back).
const BackdropLayers* BackdropLayersFor(unsigned texture, int width, int height, int divisor);

// Adds the points onto the play area: one draw call.
void DrawBackdropPoints(const BackdropLayers& layers);

// Forgets the kept layers (the OpenGL context is going away).
void ForgetBackdropLayers();
