// The glow-line renderer: everything the game may ask of it. The one place
// where a segment becomes pixels; nothing else draws with OpenGL.
//
// A frame's glow drawing is built up between _Begin and _End by Line calls
// (and DrawGlowPolygon, built on it); every segment carries the glow dot,
// added onto the screen. The segments of a frame are collected and drawn in
// as few calls as possible; they are flushed when other drawing (a picture)
// must come in between, and at _End, so the picture is the same as drawing
// each segment on its own. Without OpenGL the segments are only counted.
//
// Two back-ends sit behind this header: full/ draws every segment at the
// display's resolution (a graphics card), split/ draws sharp cores and a
// halo at a fraction of it (a software rasterizer; split/software_tuning.h).
// Which one runs is the renderer's own choice (split/glow_path.cpp); tests
// and benchmarks can hold it through glow_options.h.
//
// Lifetime: Initialise once the display is open and after every reopening
// (it forgets the old context's objects); GlowImage is loaded before the
// first frame and lives until the end; a frame starts with _Begin, which
// prepares the chosen path, and the platform's frame end completes it.
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

    // Opens the frame's glow drawing and readies the chosen path's objects.
    static void _Begin();
    // Draws what is pending; the frame may go on with pictures and text.
    static void _End();
    // Binds the renderer to the display just opened (or reopened).
    static void Initialise();
    // Makes `image` the texture of the strips that follow (one frame per picture).
    static void GetFrame(const Picture* image, int frame, int primitive, int force);
    // Adds a triangle strip of count floats (9 per vertex); fewer than 6 draw nothing.
    static void Draw(const Picture* image, int frame, const float* vertices, int count, int primitive, int endFlag);
    // A glowing segment in display pixels, a colour per end, half-width in pixels.
    static void Line(const Picture* image, int frame, float x1, float y1, uint32_t colour1, float x2, float y2,
                     uint32_t colour2, float width);
    // The lines drawn between BeginShape and EndShape are one shape about
    // (x, y) that comes back often in the same form, such as an invader:
    // the renderer may keep its glow instead of drawing it afresh.
    static void BeginShape(float x, float y);
    static void EndShape();
};

// Sets the eight widths from GlowAmount (after loading or changing it).
void ApplyGlowAmount();

// Outline of a regular polygon centred at (x, y) in play-area pixels.
void DrawGlowPolygon(float x, float y, int rotation, int sides, float size, uint32_t colour);

// Segments drawn since start-up, and GL draw calls issued in the last frame.
long long GlowSegmentsDrawn();
int GlowDrawCallsLastFrame();

// The picture behind every screen: an opaque picture the size of the play
// area with its top-left corner at (x, y), the play area's corner. On the
// split path it waits for the end of the frame and is added in the halo's
// full-screen pass (a software rasterizer pays dearly for every full-screen
// pass, and as light only adds, the picture comes out the same); elsewhere it
// is drawn at once.
void DrawBackdrop(const Picture* backdrop, float x, float y);
