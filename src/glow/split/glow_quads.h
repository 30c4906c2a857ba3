// Lines as single quads whose pixels work out their own distance from the
// segment, for the split glow path (glow_halo.h). A line's strip lights each
// pixel by its distance from the segment alone (the body by the distance
// across, the round caps by the distance from the end), so one rectangle
// round the line, reading the dot by that distance per pixel, draws the same
// light as the strip's six triangles. Software rasterizers pay dearly for
// every triangle, so that is a third of the cost.
// Used by glow_batch and glow_halo only.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

struct GlowVertex;

struct GlowQuadVertex {
    float x, y;
    // Where the vertex lies in the line's own frame, in line widths: along
    // it from its middle, across it, half the body's length; and the second
    // end's alpha.
    float along, across, halfBody, alpha2;
    uint8_t r1, g1, b1, a1;  // the first end's colour
    uint8_t r2, g2, b2, pad;  // the second end's colour
};

struct GlowQuadBatch {
    std::vector<GlowQuadVertex> vertices;
    std::vector<unsigned> indices;
};

// The segment one of TPoly's 8-vertex line strips draws: its ends, and the
// vector across it, one line width long.
struct GlowStripLine {
    float x1, y1, x2, y2;
    float px, py;
    float width;
};
GlowStripLine LineOfStrip(const GlowVertex* strip);

// Adds to each batch the quad for one of TPoly's 8-vertex line strips,
// reaching its `reach` line widths round the segment (1: the whole dot;
// less: only its middle).
struct GlowQuadTarget {
    GlowQuadBatch* batch;
    float reach;
};
void AddGlowQuads(const GlowVertex* strip, std::initializer_list<GlowQuadTarget> targets);

// The shader program; false where OpenGL cannot compile it (the split path
// is not used then).
bool GlowQuadsReady();

// Draws the batch into whatever framebuffer is bound, each pixel lit by
// `texture` (the dot, or a part of it) where the line's strip would read it.
// Leaves the fixed-function state as it was, but for the texture bound.
// Returns the draw calls made (none for an empty batch).
int DrawGlowQuads(const GlowQuadBatch& batch, unsigned texture);

// Forgets the program (the OpenGL context is going away or was replaced).
void GlowQuadsForget();
