// The OpenGL side of the glow renderer: the frame's vertex buffer and the
// calls that draw it. Used by tpoly.cpp and the benchmarks only.
#pragma once

#include <cstdint>

// One vertex as OpenGL reads it from the buffer.
struct GlowVertex {
    float x, y, z;
    float u, v;
    uint8_t r, g, b, a;
};

// How the glow dot reaches the pixels. Full: every strip at the display's
// resolution. HalfHalo, QuarterHalo: split into a sharp core and a halo drawn
// at 1/2 or 1/4 of the resolution (glow_halo.h); far less to fill.
enum class GlowPath { Auto, Full, HalfHalo, QuarterHalo };

// What is asked for. Auto: Full on a graphics card, HalfHalo on a software
// rasterizer, and one step lighter whenever the real window's frames keep
// missing their 1/60 s (never back: a picture that flickers between looks is
// worse than a slightly softer one). The others hold the path (tests,
// benchmarks).
extern GlowPath GlowPathWanted;
// The path the current frame is drawn with (never Auto).
GlowPath GlowPathInUse();
// The split path is in use and its OpenGL objects are ready.
bool GlowSplitPathReady();
// Starts choosing afresh: a new OpenGL context, or without one.
void GlowPathReset();
// Called between frames, with the last frame's work in milliseconds.
void GlowPathAfterFrame(double workMs);

// true: on the split path, shapes keep their halos in an atlas
// (glow_shapes.h). false: they are drawn as lines (the benchmarks' reference).
extern bool GlowKeepShapes;

// true: strips are collected and drawn together. false: the reference path,
// one immediate-mode primitive per strip, kept to measure and check the
// batch against.
extern bool GlowBatching;

// The texture the following strips are drawn with; a pending batch with
// another texture is drawn first.
void GlowBatchUseTexture(unsigned texture);

// Adds (or, on the reference path, draws) a triangle strip of vertexCount
// vertices in the 9-float vertex layout.
void GlowBatchAddStrip(const float* vertices, int vertexCount);

// The lines added between these make one shape about (x, y) (TPoly's
// BeginShape and EndShape).
void GlowBatchBeginShape();
void GlowBatchEndShape(float x, float y);

// Draws whatever is pending. Also the platform's flush hook, so it must be
// harmless when nothing is pending or there is no OpenGL.
void GlowBatchFlush();

// Draws whatever is pending and adds the split path's halo onto the screen:
// the platform's hook before the screen must hold everything (clearing, a new
// viewport, reading the pixels).
void GlowBatchComplete();

// Forgets which texture OpenGL has bound (other drawing may have changed it).
void GlowBatchForgetBinding();

// The pre-show hook: completes the frame, closes its call count and
// chooses the path of the next.
void GlowBatchEndFrame();

// Vertices waiting to be drawn, and empties the buffer without drawing
// (benchmarks of the building alone).
int GlowBatchPendingVertices();
void GlowBatchDiscard();

// Waits until OpenGL has finished every call issued so far (benchmarks).
void GlowWaitForGpu();
