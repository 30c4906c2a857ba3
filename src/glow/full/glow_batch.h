// The OpenGL side of the glow renderer: the frame's vertex buffer and the
// calls that draw it, and the path policy it follows. Used inside the
// renderer only.
#pragma once

#include <cstdint>

#include "glow/glow_options.h"
#include "platform/platform.h"

// One vertex as OpenGL reads it from the buffer.
struct GlowVertex {
    float x, y, z;
    float u, v;
    uint8_t r, g, b, a;
};

// The path policy (split/glow_path.cpp). Auto starts on Full on a graphics
// card and on HalfHalo on a software rasterizer, and steps one lighter
// whenever the real window's frames keep missing their 1/60 s (never back: a
// picture that flickers between looks is worse than a slightly softer one).
// Starts choosing afresh: a new OpenGL context, or without one.
void GlowPathReset();
// Called between frames, with the last frame's work in milliseconds.
void GlowPathAfterFrame(double workMs);
// The split path cannot be had here (no offscreen pictures or shaders): the
// renderer stays on the full path whatever is asked.
void GlowPathSplitUnavailable();

// Readies the path of the frame about to be drawn: on the split path its
// textures, halo picture and atlas (built once, then only looked up). Run by
// _Begin and at a frame's end for the next, so the backdrop, which comes
// before _Begin, knows its path too.
void GlowBatchPreparePath();
// The split path is in use and its OpenGL objects are ready (a pure query).
bool GlowSplitPathReady();

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

// Draws whatever is pending; harmless when nothing is or there is no OpenGL.
void GlowBatchFlush();

// Draws whatever is pending and adds the split path's halo onto the screen.
void GlowBatchComplete();

// Forgets which texture OpenGL has bound (other drawing may have changed it).
void GlowBatchForgetBinding();

// Completes the frame, closes its call count, chooses the path of the next
// and readies it.
void GlowBatchEndFrame();

// The platform's one hook (platform.h): each DrawSync to the routine above.
void GlowBatchSync(DrawSync sync);

