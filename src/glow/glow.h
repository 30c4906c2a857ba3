// The glow-line renderer: the one place where a segment becomes pixels.
//
// A frame's glow drawing is built up between _Begin and _End by Line calls
// (and DrawGlowPolygon, built on it); every segment becomes an 8-vertex
// textured strip carrying the glow dot, added onto the screen. The segments
// of a frame are collected into one vertex buffer and drawn in as few calls
// as possible; the buffer is flushed when other drawing (a picture) must come
// in between, and at _End, so the picture is the same as drawing each strip
// on its own. Without OpenGL the segments are only counted.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The eight half-widths, derived from GlowAmount by ApplyGlowAmount.
extern int LineWidth10;
extern int LineWidth14;
extern int LineWidth16;
extern int LineWidth18;
extern int LineWidth20;
extern int LineWidth24;
extern int LineWidth28;
extern int LineWidth32;

// The glow dot every line is drawn with ("res\dot.png"), loaded at start-up.
extern Picture* GlowImage;

struct TPoly {
    static constexpr int FloatsPerVertex = 9;
    static constexpr int StripFloats = 8 * FloatsPerVertex;

    static void _Begin();
    static void _End();
    static void Initialise();
    static void GetFrame(const Picture* image, int frame, int primitive, int force);
    static void Draw(const Picture* image, int frame, const float* vertices, int count, int primitive, int endFlag);
    static void Line(const Picture* image, int frame, float x1, float y1, uint32_t colour1, float x2, float y2,
                     uint32_t colour2, float width);
    // The lines drawn between BeginShape and EndShape are one shape about
    // (x, y) that comes back often in the same form, such as an invader:
    // the renderer may keep its glow instead of drawing it afresh.
    static void BeginShape(float x, float y);
    static void EndShape();

    // Fills out[72] with the strip Line draws (exposed for tests and benchmarks).
    static void BuildLineStrip(float* out, float x1, float y1, uint32_t colour1, float x2, float y2,
                               uint32_t colour2, float width);
};

void ApplyGlowAmount();

// Outline of a regular polygon centred at (x, y) in play-area pixels.
void DrawGlowPolygon(float x, float y, int rotation, int sides, float size, uint32_t colour);

// Segments drawn since start-up, and GL draw calls issued in the last frame.
long long GlowSegmentsDrawn();
int GlowDrawCallsLastFrame();
