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

// Draws whatever is pending. Also the platform's flush hook, so it must be
// harmless when nothing is pending or there is no OpenGL.
void GlowBatchFlush();

// Forgets which texture OpenGL has bound (other drawing may have changed it).
void GlowBatchForgetBinding();

// The pre-show hook: draws what is pending and closes the frame's call count.
void GlowBatchEndFrame();

// Vertices waiting to be drawn, and empties the buffer without drawing
// (benchmarks of the building alone).
int GlowBatchPendingVertices();
void GlowBatchDiscard();

// Waits until OpenGL has finished every call issued so far (benchmarks).
void GlowWaitForGpu();
