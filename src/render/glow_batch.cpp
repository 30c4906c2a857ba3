// The frame's glow segments go into one vertex buffer and are drawn with one
// call per run of segments. Strips become indexed triangles, so unrelated
// strips do not join up; each triangle keeps the vertex order OpenGL gives
// it inside a strip, so the pixels are those of drawing every strip alone.
// On the split path (glow_halo.h) every strip of the dot goes in twice: whole
// into the halo batch, shrunk to its core into the screen's batch.
#include "render/glow_batch.h"

#include <epoxy/gl.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "render/glow_halo.h"
#include "render/tpoly.h"

bool GlowBatching = true;

namespace {

// A full buffer is drawn and refilled; this bounds its memory (about 10 MB).
constexpr size_t MaxBatchVertices = size_t(1) << 19;

struct Batch {
    std::vector<GlowVertex> vertices;
    std::vector<GLuint> indices;
};
Batch Screen;                // drawn onto the screen
Batch Halo;                  // split path: drawn into the halo picture
bool BatchSplit = false;     // the pending strips are on the split path
GlowHaloParts Parts;
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

// Scales a line's strip (tpoly.cpp's layout: two end caps around a body)
// about its two end points, positions and texture coordinates alike, so the
// smaller strip shows exactly the middle of the dot the whole one shows.
void ShrinkLineStrip(GlowVertex* v, float k) {
    for (int end = 0; end < 2; ++end) {
        const GlowVertex& a = v[end == 0 ? 2 : 4];
        const GlowVertex& b = v[end == 0 ? 3 : 5];
        const float cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2, cu = (a.u + b.u) / 2, cv = (a.v + b.v) / 2;
        for (int i = end * 4; i < end * 4 + 4; ++i) {
            v[i].x = cx + k * (v[i].x - cx), v[i].y = cy + k * (v[i].y - cy);
            v[i].u = cu + k * (v[i].u - cu), v[i].v = cv + k * (v[i].v - cv);
        }
    }
}

int HaloDivisor(GlowPath path) { return path == GlowPath::QuarterHalo ? 4 : 2; }

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

bool GlowSplitPathReady() {
    const GlowPath path = GlowPathInUse();
    if (path == GlowPath::Full || !GlowImage || !PlatformHasGL()) return false;
    if (GlowHaloPrepare(GlowImage, HaloDivisor(path), Parts)) return true;
    GlowPathWanted = GlowPath::Full;  // no offscreen pictures here
    return false;
}

void GlowBatchUseTexture(unsigned texture) {
    if (texture != BatchTexture && !Screen.vertices.empty()) GlowBatchFlush();
    BatchTexture = texture;
}

void GlowBatchAddStrip(const float* f, int vertexCount) {
    if (vertexCount < 3) return;
    if (!GlowBatching) {
        DrawStripImmediate(f, vertexCount);
        return;
    }
    const bool split = PlatformHasGL() && SplitThisTexture();
    if (split != BatchSplit && !Screen.vertices.empty()) GlowBatchFlush();
    BatchSplit = split;
    if (Screen.vertices.size() + size_t(vertexCount) > MaxBatchVertices) GlowBatchFlush();
    static std::vector<GlowVertex> strip;
    strip.clear();
    for (int i = 0; i < vertexCount; ++i, f += TPoly::FloatsPerVertex) strip.push_back(Unpack(f));
    if (split) {
        AddIndexed(Halo, strip.data(), vertexCount);
        // Other strips keep their size: whole core plus whole halo is the dot too.
        if (vertexCount == 8) ShrinkLineStrip(strip.data(), Parts.coreShrink);
    }
    AddIndexed(Screen, strip.data(), vertexCount);
}

void GlowBatchFlush() {
    // Whoever asked for the flush is about to bind its own texture.
    BoundTexture = 0;
    if (Screen.vertices.empty()) return;
    if (!PlatformHasGL()) {
        GlowBatchDiscard();
        return;
    }
    BindForGlow(BatchTexture);
    glNormal3f(0, 0, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    if (BatchSplit) {
        PointArraysAt(Halo);
        GlowHaloDraw(Halo.indices.data(), int(Halo.indices.size()));
        ++CallsThisFrame;
        glBindTexture(GL_TEXTURE_2D, Parts.coreTexture);
    }
    PointArraysAt(Screen);
    glDrawElements(GL_TRIANGLES, GLsizei(Screen.indices.size()), GL_UNSIGNED_INT, Screen.indices.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    ++CallsThisFrame;
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
    GlowPathAfterFrame(FrameWorkMs());
}

int GlowBatchPendingVertices() { return int(Screen.vertices.size()); }

void GlowBatchDiscard() {
    for (Batch* b : {&Screen, &Halo}) b->vertices.clear(), b->indices.clear();
}

void GlowWaitForGpu() {
    if (PlatformHasGL()) glFinish();
}

int GlowDrawCallsLastFrame() { return CallsLastFrame; }
