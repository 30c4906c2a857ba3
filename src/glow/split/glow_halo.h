// The glow dot split in two, for rasterizers that fill pixels slowly (a
// software rasterizer spends nearly all of a busy frame filling the faint,
// wide halo of every line):
//   - the core, the dot's bright two-pixel centre, drawn sharp on the screen
//     with quads (glow_quads.h) no wider than where it lights anything;
//   - the halo, smooth and faint, drawn at a fraction of the resolution into
//     an offscreen picture that is added onto the play area once per frame.
// Core plus halo is the dot, and light only adds, so the picture is the
// full-resolution one up to the halo's smoothing. Used by glow_batch only.
#pragma once

#include "glow/split/glow_quads.h"
#include "glow/split/software_tuning.h"
#include "platform/platform.h"

struct GlowHaloParts {
    // The two parts of the dot's cross-section, for DrawGlowQuads.
    unsigned coreTexture = 0;
    unsigned haloTexture = 0;
    float coreReach = 1;  // in line widths from the segment: all of the core lies within
};


// Builds (once per dot) the two textures and the offscreen picture at
// 1/divisor of the play area. False where OpenGL offers no offscreen
// pictures or no shaders: the full path is used then.
bool GlowHaloPrepare(const Picture* dot, int divisor, GlowHaloParts& out);

// A texture of width x height (its texels undefined) and an offscreen
// framebuffer drawing into it, left unbound; false where OpenGL offers none.
bool MakeGlowTarget(int width, int height, unsigned& texture, unsigned& framebuffer);

// Draws line quads into the offscreen halo picture with the halo's light,
// then whatever `more` draws there (its own light, weighed already). Returns
// the draw calls made.
int GlowHaloDraw(const GlowQuadBatch& quads, int (*more)());

// Has the composite add this opaque picture the size of the play area as
// well, in the same pass: the frame's backdrop, which would otherwise cost a
// full-screen pass of its own. exact: the play area is shown one texel to a
// pixel, so the backdrop can be read without filtering.
void GlowHaloAddBackdrop(unsigned texture, bool exact);

// Adds the halo drawn so far, and the backdrop if one is waiting, onto the
// play area and empties the halo; nothing when neither is there. Returns the
// draw calls it made.
int GlowHaloComposite();

// Forgets every OpenGL object (the context is going away or was replaced).
void GlowHaloForget();
