// The glow renderer's knobs and probes for tests and benchmarks. The game
// never touches them; the renderer only reads the knobs, never writes them.
#pragma once

#include <cstdint>
#include <vector>

// How the glow dot reaches the pixels. Full: every strip at the display's
// resolution (a graphics card). HalfHalo, QuarterHalo: split into a sharp core
// and a halo drawn at 1/2 or 1/4 of the resolution (split/glow_halo.h), far
// less to fill (a software rasterizer).
enum class GlowPath { Auto, Full, HalfHalo, QuarterHalo };

// One glow segment as TPoly::Line was given it (display pixels).
struct GlowSegment {
    float x1 = 0, y1 = 0;
    uint32_t colour1 = 0;
    float x2 = 0, y2 = 0;
    uint32_t colour2 = 0;
    float width = 0;
    int shape = 0;  // the TPoly shape it was drawn in (numbered from 1), 0 none
    float shapeX = 0, shapeY = 0;
};

struct GlowOptions {
    // Auto: the renderer chooses (split/glow_path.cpp); the others hold the path.
    GlowPath path = GlowPath::Auto;
    // false: the reference path, one immediate-mode primitive per strip, kept
    // to measure and check the batch against.
    bool batching = true;
    // false: on the split path shapes are drawn as lines, not from the atlas.
    bool keepShapes = true;
    // false: Auto never draws a magnified picture at its own size past the
    // lightest halo (the reference for that step).
    bool mayUnmagnify = true;
    // While set, every segment TPoly::Line draws is also appended here.
    // Segments Line skips are not recorded.
    std::vector<GlowSegment>* capture = nullptr;
};
extern GlowOptions GlowKnobs;

// The path the current frame is drawn with (never Auto).
GlowPath GlowPathInUse();

// Fills out[72] with the 8-vertex strip TPoly::Line draws for a segment.
void BuildGlowLineStrip(float* out, float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2,
                        float width);

// Vertices waiting to be drawn, and empties the buffer without drawing
// (benchmarks of the building alone).
int GlowBatchPendingVertices();
void GlowBatchDiscard();

// Waits until OpenGL has finished every call issued so far (benchmarks).
void GlowWaitForGpu();
