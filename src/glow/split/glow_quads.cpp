// The split path's line quads and the small shader that lights them.
#include "glow/split/glow_quads.h"

#include <epoxy/gl.h>

#include <cmath>
#include <cstddef>

#include "glow/full/glow_batch.h"
#include "glow/split/glow_program.h"

namespace {

// The fixed-function matrices and the vertex arrays as the rest of the
// renderer sets them; only the per-pixel light is the program's own.
const char* const VertexSource = R"(#version 110
varying vec4 local;
void main() {
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_FrontColor = gl_Color;
    gl_FrontSecondaryColor = gl_SecondaryColor;
    local = gl_MultiTexCoord0;
}
)";

// The dot where the strip would read it: a hair either side of its middle
// column along the body (so the strip's ends read it a hair off the centre
// too), the half past the centre over either cap, its first row on the
// side the strip starts. The colour runs from the first end's to the
// second's along the body and stays put over the caps, as on the strip.
const char* const FragmentSource = R"(#version 110
uniform sampler2D dot;
varying vec4 local;
void main() {
    float beyond = max(abs(local.x) - local.z, 0.0);
    float k = clamp((local.x + local.z) / max(2.0 * local.z, 1e-6), 0.0, 1.0);
    vec4 colour = mix(gl_Color, vec4(gl_SecondaryColor.rgb, local.w), k);
    float u = mix(0.4985, 0.5015, k) + beyond * mix(0.5015, 0.4985, k);
    gl_FragColor = vec4(colour.rgb, colour.a * texture2D(dot, vec2(u, 0.5 - 0.5 * local.y)).a);
}
)";

GLuint Program = 0;
bool Tried = false;

}  // namespace

// tpoly.cpp's strip: v[2], v[3] either side of the first end, v[4], v[5]
// of the second, v[0] one width out past the first end.
GlowStripLine LineOfStrip(const GlowVertex* v) {
    GlowStripLine l{};
    l.x1 = (v[2].x + v[3].x) / 2, l.y1 = (v[2].y + v[3].y) / 2;
    l.x2 = (v[4].x + v[5].x) / 2, l.y2 = (v[4].y + v[5].y) / 2;
    l.px = (v[2].x - v[3].x) / 2, l.py = (v[2].y - v[3].y) / 2;
    l.width = std::sqrt(l.px * l.px + l.py * l.py);
    return l;
}

void AddGlowQuads(const GlowVertex* v, std::initializer_list<GlowQuadTarget> targets) {
    const auto [x1, y1, x2, y2, px, py, width] = LineOfStrip(v);
    if (!(width > 0)) return;
    // One width along, from the first end towards the second.
    const float ax = v[2].x - v[0].x, ay = v[2].y - v[0].y;
    const float halfBody = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1)) / (2 * width);
    const float mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
    for (const auto& [batch, reach] : targets) {
        const float reachAlong = halfBody + reach;
        const unsigned base = unsigned(batch->vertices.size());
        for (int corner = 0; corner < 4; ++corner) {
            const float along = corner < 2 ? -reachAlong : reachAlong;
            const float across = corner % 2 == 0 ? reach : -reach;
            batch->vertices.push_back({mx + ax * along + px * across, my + ay * along + py * across, along, across,
                                       halfBody, float(v[7].a) / 255, v[0].r, v[0].g, v[0].b, v[0].a, v[7].r,
                                       v[7].g, v[7].b, 0});
        }
        for (unsigned k : {0u, 1u, 2u, 2u, 1u, 3u}) batch->indices.push_back(base + k);
    }
}

bool GlowQuadsReady() {
    if (!Tried) {
        Tried = true;
        Program = LinkGlowProgram(VertexSource, FragmentSource, "dot");
    }
    return Program != 0;
}

int DrawGlowQuads(const GlowQuadBatch& batch, unsigned texture) {
    if (batch.indices.empty() || Program == 0) return 0;
    constexpr GLsizei Stride = sizeof(GlowQuadVertex);
    const GlowQuadVertex* v = batch.vertices.data();
    glUseProgram(Program);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_SECONDARY_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, Stride, &v->x);
    glTexCoordPointer(4, GL_FLOAT, Stride, &v->along);
    glColorPointer(4, GL_UNSIGNED_BYTE, Stride, &v->r1);
    glSecondaryColorPointer(3, GL_UNSIGNED_BYTE, Stride, &v->r2);
    glDrawElements(GL_TRIANGLES, GLsizei(batch.indices.size()), GL_UNSIGNED_INT, batch.indices.data());
    glDisableClientState(GL_SECONDARY_COLOR_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glUseProgram(0);
    return 1;
}

void GlowQuadsForget() {
    Program = 0;
    Tried = false;
}
