// The frame's glow segments go into one vertex buffer and are drawn with one
// call per run of segments. Strips become indexed triangles, so unrelated
// strips do not join up; each triangle keeps the vertex order OpenGL gives
// it inside a strip, so the pixels are those of drawing every strip alone.
#include "render/glow_batch.h"

#include <epoxy/gl.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "render/tpoly.h"

bool GlowBatching = true;

namespace {

// A full buffer is drawn and refilled; this bounds its memory (about 10 MB).
constexpr size_t MaxBatchVertices = size_t(1) << 19;

std::vector<GlowVertex> Vertices;
std::vector<GLuint> Indices;
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

}  // namespace

void GlowBatchUseTexture(unsigned texture) {
    if (texture != BatchTexture && !Vertices.empty()) GlowBatchFlush();
    BatchTexture = texture;
}

void GlowBatchAddStrip(const float* f, int vertexCount) {
    if (vertexCount < 3) return;
    if (!GlowBatching) {
        DrawStripImmediate(f, vertexCount);
        return;
    }
    if (Vertices.size() + size_t(vertexCount) > MaxBatchVertices) GlowBatchFlush();
    const GLuint base = GLuint(Vertices.size());
    for (int i = 0; i < vertexCount; ++i, f += TPoly::FloatsPerVertex) Vertices.push_back(Unpack(f));
    for (GLuint k = 0; k + 2 < GLuint(vertexCount); ++k) {
        // Every other triangle of a strip has its first two vertices swapped.
        const bool odd = (k & 1) != 0;
        Indices.push_back(base + (odd ? k + 1 : k));
        Indices.push_back(base + (odd ? k : k + 1));
        Indices.push_back(base + k + 2);
    }
}

void GlowBatchFlush() {
    // Whoever asked for the flush is about to bind its own texture.
    BoundTexture = 0;
    if (Vertices.empty()) return;
    if (!PlatformHasGL()) {
        GlowBatchDiscard();
        return;
    }
    BindForGlow(BatchTexture);
    glNormal3f(0, 0, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    const GlowVertex* v = Vertices.data();
    glVertexPointer(3, GL_FLOAT, sizeof(GlowVertex), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(GlowVertex), &v->u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(GlowVertex), &v->r);
    glDrawElements(GL_TRIANGLES, GLsizei(Indices.size()), GL_UNSIGNED_INT, Indices.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    ++CallsThisFrame;
    GlowBatchDiscard();
}

void GlowBatchForgetBinding() { BoundTexture = 0; }

void GlowBatchEndFrame() {
    GlowBatchFlush();
    CallsLastFrame = CallsThisFrame;
    CallsThisFrame = 0;
}

int GlowBatchPendingVertices() { return int(Vertices.size()); }

void GlowBatchDiscard() {
    Vertices.clear();
    Indices.clear();
}

void GlowWaitForGpu() {
    if (PlatformHasGL()) glFinish();
}

int GlowDrawCallsLastFrame() { return CallsLastFrame; }
