// The glow renderer's front half: segment geometry, the bound-frame cache,
// the width settings and regular polygons. The OpenGL work is in glow_batch.
#include "glow/glow.h"

#include <epoxy/gl.h>

#include <cmath>
#include <cstring>

#include "common/maths.h"
#include "game/settings.h"
#include "glow/full/glow_batch.h"
#include "glow/glow_options.h"
#include "glow/split/glow_halo.h"

int LineWidth10 = 10;
int LineWidth14 = 14;
int LineWidth16 = 16;
int LineWidth18 = 18;
int LineWidth20 = 20;
int LineWidth24 = 24;
int LineWidth28 = 28;
int LineWidth32 = 32;

Picture* GlowImage = nullptr;

namespace {

const Picture* BoundGLFrame = nullptr;

constexpr int TriangleStrip = 5;
long long SegmentsDrawn = 0;
// The shape open (numbered for the capture; 0 none) and its point.
int ShapesBegun = 0;
int ShapeOpen = 0;
float ShapeX = 0, ShapeY = 0;

void PutVertex(float* out, float x, float y, uint32_t colour, float u, float v) {
    out[0] = x, out[1] = y, out[2] = 0;
    out[3] = 0, out[4] = 0, out[5] = 1;
    std::memcpy(&out[6], &colour, sizeof colour);  // the colour's bits, not its value
    out[7] = u, out[8] = v;
}

}  // namespace

void TPoly::_Begin() {
    BoundGLFrame = nullptr;
    GlowBatchForgetBinding();
    GlowBatchPreparePath();
}

void TPoly::_End() {
    BoundGLFrame = nullptr;
    GlowBatchFlush();
}

void TPoly::Initialise() {
    // Flush before pictures come in between, and before the frame is shown.
    SetRendererHook(GlowBatchSync);
    // A new context: its driver decides the path again, and the split
    // path's textures belonged to the old one.
    GlowPathReset();
    GlowHaloForget();
    GlowBatchPreparePath();
    if (PlatformHasGL()) glEnable(GL_COLOR_MATERIAL);
}

void TPoly::GetFrame(const Picture* image, int /*frame*/, int /*primitive*/, int /*force*/) {
    // Pictures have one frame. A forced new primitive needs nothing here:
    // batched strips never join up anyway.
    if (image != BoundGLFrame) {
        BoundGLFrame = image;
        GlowBatchUseTexture(image ? image->texture : 0);
    }
}

void TPoly::Draw(const Picture* image, int frame, const float* vertices, int count, int primitive, int endFlag) {
    if (count < 6 || count % 2 != 0 || !vertices) return;
    if (!PlatformHasGL() || !image) return;
    GetFrame(image, frame, primitive, endFlag);
    // Trailing floats that do not fill a vertex are not read.
    GlowBatchAddStrip(vertices, count / FloatsPerVertex);
}

void BuildGlowLineStrip(float* out, float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2,
                        float width) {
    const float dx = x1 - x2, dy = y1 - y2;
    const float len = std::sqrt(dx * dx + dy * dy);
    // A zero-length segment has no direction; pointing it along x makes the
    // two end caps meet as a round dot instead of dividing by zero.
    const float a = len > 0 ? dx / len * width : width;
    const float b = len > 0 ? dy / len * width : 0;
    float* v = out;
    PutVertex(v, x1 + a - b, y1 + b + a, colour1, 1, 0), v += TPoly::FloatsPerVertex;
    PutVertex(v, x1 + a + b, y1 + b - a, colour1, 1, 1), v += TPoly::FloatsPerVertex;
    PutVertex(v, x1 - b, y1 + a, colour1, 0.4985f, 0), v += TPoly::FloatsPerVertex;
    PutVertex(v, x1 + b, y1 - a, colour1, 0.4985f, 1), v += TPoly::FloatsPerVertex;
    PutVertex(v, x2 - b, y2 + a, colour2, 0.5015f, 0), v += TPoly::FloatsPerVertex;
    PutVertex(v, x2 + b, y2 - a, colour2, 0.5015f, 1), v += TPoly::FloatsPerVertex;
    PutVertex(v, x2 - a - b, y2 - b + a, colour2, 1, 0), v += TPoly::FloatsPerVertex;
    PutVertex(v, x2 - a + b, y2 - b - a, colour2, 1, 1);
}

void TPoly::Line(const Picture* image, int frame, float x1, float y1, uint32_t colour1, float x2, float y2,
                 uint32_t colour2, float width) {
    // A segment of no length (text zoomed to nothing) or with a position that
    // is not a number would put NaN into the vertex buffer: nothing to see.
    if (x1 == x2 && y1 == y2) return;
    if (!std::isfinite(x1 + y1 + x2 + y2 + width)) return;
    ++SegmentsDrawn;
    if (GlowKnobs.capture) GlowKnobs.capture->push_back({x1, y1, colour1, x2, y2, colour2, width, ShapeOpen, ShapeX, ShapeY});
    if (!PlatformHasGL()) return;
    float strip[StripFloats];
    BuildGlowLineStrip(strip, x1, y1, colour1, x2, y2, colour2, width);
    Draw(image, frame, strip, StripFloats, TriangleStrip, 1);
}

void TPoly::BeginShape(float x, float y) {
    ShapeOpen = ++ShapesBegun;
    ShapeX = x, ShapeY = y;
    if (PlatformHasGL()) GlowBatchBeginShape();
}

void TPoly::EndShape() {
    ShapeOpen = 0;
    if (PlatformHasGL()) GlowBatchEndShape(ShapeX, ShapeY);
}

void ApplyGlowAmount() {
    LineWidth10 = GlowAmount + 10;
    LineWidth14 = GlowAmount + 14;
    LineWidth16 = GlowAmount + 16;
    LineWidth18 = 2 * GlowAmount + 18;
    LineWidth20 = 2 * GlowAmount + 20;
    LineWidth24 = 3 * GlowAmount + 24;
    LineWidth28 = 3 * GlowAmount + 28;
    LineWidth32 = 3 * GlowAmount + 32;
}

void DrawGlowPolygon(float x, float y, int rotation, int sides, float size, uint32_t colour) {
    // Fewer than two corners divides by zero (or by Sin(180)); more than 360
    // makes the integer step 0 and the radius infinite. Neither is a polygon.
    if (sides < 2 || sides > 360) return;
    const float step = float(360 / sides);
    const float radius = (size / 2) / Sin(step / 2);
    const float cx = float(OffsetX) + x, cy = float(OffsetY) + y;
    for (int i = 0; i < sides; ++i) {
        const float a = float(rotation) + step * float(i);
        const float b = float(rotation) + step * float(i + 1);
        TPoly::Line(GlowImage, 0, cx - Sin(a) * radius, cy - Cos(a) * radius, colour, cx - Sin(b) * radius,
                    cy - Cos(b) * radius, colour, float(LineWidth20));
    }
}

long long GlowSegmentsDrawn() { return SegmentsDrawn; }
