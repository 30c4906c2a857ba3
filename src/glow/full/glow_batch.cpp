// The frame's glow segments go into one vertex buffer and are drawn with one
// call per run of segments. Strips become indexed triangles, so unrelated
// strips do not join up; each triangle keeps the vertex order OpenGL gives
// it inside a strip, so the pixels are those of drawing every strip alone.
// On the split path (glow_halo.h) a line of the dot goes in twice instead,
// as quads (glow_quads.h): whole into the halo batch, as narrow as its core
// into the cores' batch. A shape's halos (glow_atlas.h) wait for the
// shape's end, to be looked up in the atlas as one.
#include "glow/full/glow_batch.h"

#include <epoxy/gl.h>

#include <cstring>
#include <vector>

#include "glow/glow.h"
#include "glow/split/glow_atlas.h"
#include "glow/split/glow_halo.h"
#include "platform/platform.h"

GlowOptions GlowKnobs;

namespace {

// A full buffer is drawn and refilled; this bounds its memory (about 10 MB).
constexpr size_t MaxBatchVertices = size_t(1) << 19;

struct Batch {
    std::vector<GlowVertex> vertices;
    std::vector<GLuint> indices;
};
Batch Screen;                // drawn onto the screen
GlowQuadBatch HaloQuads;     // split path: drawn into the halo picture
GlowQuadBatch CoreQuads;     // split path: drawn onto the screen
GlowHaloParts Parts;
bool SplitReady = false;     // split path: in use this frame, its objects ready
bool ShapesReady = false;    // split path: the atlas of shape halos is there
// The shape being drawn: its lines' strips, kept for its end.
struct OpenShape {
    bool open = false;
    std::vector<GlowVertex> strips;
};
OpenShape Shape;
unsigned BatchTexture = 0;   // texture of the pending strips
unsigned BoundTexture = 0;   // reference path: what GL has bound, 0 unknown
int CallsThisFrame = 0;
int CallsLastFrame = 0;

GlowVertex Unpack(const float* f) {
    uint32_t colour;
    std::memcpy(&colour, &f[6], sizeof colour);
    return {f[0], f[1], f[2], f[7], f[8], uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour),
            uint8_t(colour >> 24)};
}

void BindForGlow(unsigned texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glShadeModel(GL_SMOOTH);
}

// As the renderer was first written: one begin/end per strip, the texture
// bound only when it changes.
void DrawStripImmediate(const float* f, int vertexCount) {
    if (BoundTexture != BatchTexture || BoundTexture == 0) {
        BindForGlow(BatchTexture);
        BoundTexture = BatchTexture;
    }
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < vertexCount; ++i, f += TPoly::FloatsPerVertex) {
        const GlowVertex v = Unpack(f);
        glColor4ub(v.r, v.g, v.b, v.a);
        glNormal3f(f[3], f[4], f[5]);
        glTexCoord2f(v.u, v.v);
        glVertex3f(f[0], f[1], f[2]);
    }
    glEnd();
    ++CallsThisFrame;
}

void AddIndexed(Batch& batch, const GlowVertex* strip, int vertexCount) {
    const GLuint base = GLuint(batch.vertices.size());
    batch.vertices.insert(batch.vertices.end(), strip, strip + vertexCount);
    for (GLuint k = 0; k + 2 < GLuint(vertexCount); ++k) {
        // Every other triangle of a strip has its first two vertices swapped.
        const bool odd = (k & 1) != 0;
        batch.indices.push_back(base + (odd ? k + 1 : k));
        batch.indices.push_back(base + (odd ? k : k + 1));
        batch.indices.push_back(base + k + 2);
    }
}

int HaloDivisor(GlowPath path) { return path == GlowPath::QuarterHalo ? LightestHaloDivisor : HalfHaloDivisor; }

bool SplitThisTexture() {
    return GlowImage && BatchTexture != 0 && BatchTexture == GlowImage->texture && GlowSplitPathReady();
}

void PointArraysAt(const Batch& batch) {
    const GlowVertex* v = batch.vertices.data();
    glVertexPointer(3, GL_FLOAT, sizeof(GlowVertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(GlowVertex), &v->u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(GlowVertex), &v->r);
}

}  // namespace

void GlowBatchPreparePath() {
    SplitReady = false;
    const GlowPath path = GlowPathInUse();
    if (path == GlowPath::Full || !GlowImage || !PlatformHasGL()) return;
    if (GlowHaloPrepare(GlowImage, HaloDivisor(path), Parts)) {
        ShapesReady = GlowShapesPrepare(HaloDivisor(path), Parts.haloTexture);
        SplitReady = true;
        return;
    }
    GlowPathSplitUnavailable();
}

bool GlowSplitPathReady() { return SplitReady; }

void GlowBatchUseTexture(unsigned texture) {
    if (texture != BatchTexture && !Screen.vertices.empty()) GlowBatchFlush();
    BatchTexture = texture;
}

void GlowBatchAddStrip(const float* f, int vertexCount) {
    if (vertexCount < 3) return;
    if (!GlowKnobs.batching) {
        DrawStripImmediate(f, vertexCount);
        return;
    }
    if (Screen.vertices.size() + CoreQuads.vertices.size() + size_t(vertexCount) > MaxBatchVertices) GlowBatchFlush();
    static std::vector<GlowVertex> strip;
    strip.clear();
    for (int i = 0; i < vertexCount; ++i, f += TPoly::FloatsPerVertex) strip.push_back(Unpack(f));
    // Other strips than lines are drawn whole: they are rare.
    if (vertexCount == 8 && SplitThisTexture()) {
        if (Shape.open && ShapesReady && GlowKnobs.keepShapes) {
            AddGlowQuads(strip.data(), {{&CoreQuads, Parts.coreReach}});
            Shape.strips.insert(Shape.strips.end(), strip.begin(), strip.end());
            return;
        }
        AddGlowQuads(strip.data(), {{&HaloQuads, 1.0f}, {&CoreQuads, Parts.coreReach}});
        return;
    }
    AddIndexed(Screen, strip.data(), vertexCount);
}

void GlowBatchBeginShape() {
    Shape.open = true;
    Shape.strips.clear();
}

void GlowBatchEndShape(float x, float y) {
    if (Shape.open && !Shape.strips.empty()) GlowShapesAdd(Shape.strips, x, y, HaloQuads);
    Shape.open = false;
    Shape.strips.clear();
}

void GlowBatchFlush() {
    // Whoever asked for the flush is about to bind its own texture.
    BoundTexture = 0;
    // A shape cut in two by other drawing is drawn as lines so far.
    for (size_t i = 0; i + 8 <= Shape.strips.size(); i += 8) AddGlowQuads(&Shape.strips[i], {{&HaloQuads, 1.0f}});
    Shape.strips.clear();
    if (Screen.vertices.empty() && CoreQuads.vertices.empty()) return;
    if (!PlatformHasGL()) {
        GlowBatchDiscard();
        return;
    }
    if (!CoreQuads.vertices.empty()) {
        CallsThisFrame += GlowShapesRenderCells();
        CallsThisFrame += GlowHaloDraw(HaloQuads, GlowShapesDrawSquares);
        CallsThisFrame += DrawGlowQuads(CoreQuads, Parts.coreTexture);
    }
    if (!Screen.vertices.empty()) {
        BindForGlow(BatchTexture);
        glNormal3f(0, 0, 1);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        PointArraysAt(Screen);
        glDrawElements(GL_TRIANGLES, GLsizei(Screen.indices.size()), GL_UNSIGNED_INT, Screen.indices.data());
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        ++CallsThisFrame;
    }
    GlowBatchDiscard();
}

void GlowBatchComplete() {
    GlowBatchFlush();
    if (PlatformHasGL()) CallsThisFrame += GlowHaloComposite();
}

void GlowBatchForgetBinding() { BoundTexture = 0; }

void GlowBatchEndFrame() {
    GlowBatchComplete();
    CallsLastFrame = CallsThisFrame;
    CallsThisFrame = 0;
    GlowShapesEndFrame();
    GlowPathAfterFrame(FrameWorkMs());
    GlowBatchPreparePath();
}

void GlowBatchSync(DrawSync sync) {
    switch (sync) {
        case DrawSync::Flush: GlowBatchFlush(); break;
        case DrawSync::Complete: GlowBatchComplete(); break;
        case DrawSync::FrameEnd: GlowBatchEndFrame(); break;
    }
}

int GlowBatchPendingVertices() { return int(Screen.vertices.size() + CoreQuads.vertices.size()); }

void GlowBatchDiscard() {
    Screen.vertices.clear(), Screen.indices.clear();
    Shape.strips.clear();
    GlowShapesDiscard();
    for (GlowQuadBatch* b : {&HaloQuads, &CoreQuads}) b->vertices.clear(), b->indices.clear();
}

void GlowWaitForGpu() {
    if (PlatformHasGL()) glFinish();
}

int GlowDrawCallsLastFrame() { return CallsLastFrame; }
