// The split glow path's OpenGL objects: the core and halo textures cut from
// the dot, and the offscreen picture the halo is drawn into.
#include "glow/split/glow_halo.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "glow/split/backdrop_layers.h"
#include "glow/split/glow_atlas.h"
#include "glow/split/glow_program.h"

namespace {

struct HaloState {
    const Picture* dot = nullptr;
    int divisor = 0;
    GlowHaloParts parts;
    unsigned framebuffer = 0;
    unsigned target = 0;  // the offscreen halo picture's texture
    bool drawn = false;  // lines or a backdrop went into the halo picture this frame
    bool fresh = false;  // the halo picture holds this frame's light only
    unsigned backdrop = 0;       // texture waiting to be added with the halo
    bool backdropExact = false;
    const BackdropLayers* stars = nullptr;  // a backdrop's points, its smooth layer in the halo
    unsigned composite = 0;  // the program adding the halo picture alone; 0: fixed function
};
HaloState State;

// The composite as a plain texture read, nothing else: no per-vertex colour,
// no second texture. Mesa's software rasterizer draws a rectangle of such a
// read with a fast path of its own, two to three times as fast as the
// fixed-function pass, where the screen has no depth buffer, the texture is
// kept blue first, and nothing else is drawn into the rectangle's tiles in
// the same round of the rasterizer.
const char* const CompositeVertexSource = R"(#version 110
varying vec2 at;
void main() {
    gl_Position = gl_Vertex;
    at = gl_MultiTexCoord0.xy;
}
)";
const char* const CompositeFragmentSource = R"(#version 110
uniform sampler2D halo;
varying vec2 at;
void main() {
    gl_FragColor = texture2D(halo, at);
}
)";

// Splits the dot's alpha at the level just outside its bright centre (a
// thirty-second of the width out): below it is halo, above it core.
bool SplitDot(const Picture* dot, GlowHaloParts& parts) {
    const int w = dot->width, h = dot->height;
    if (w < 32 || h < 32 || dot->texture == 0) return false;
    std::vector<uint8_t> px(size_t(w) * h * 4);
    glBindTexture(GL_TEXTURE_2D, dot->texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    const uint8_t level = px[(size_t(h / 2) * w + size_t(w / 2 + w / 32)) * 4 + 3];
    std::vector<uint8_t> core(px), halo(px);
    // The core's faintest rim is left outside the quads: it cannot be told
    // from nothing (software_tuning.h).
    float reach = 0;  // furthest kept core texel from the centre, in texels
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t i = (size_t(y) * w + size_t(x)) * 4 + 3;
            const uint8_t a = px[i];
            halo[i] = std::min(a, level);
            core[i] = uint8_t(a - halo[i]);
            if (core[i] < CoreFaintestKept) continue;
            reach = std::max({reach, std::fabs(float(x) + 0.5f - float(w) / 2),
                              std::fabs(float(y) + 0.5f - float(h) / 2)});
        }
    }
    // One more texel for the linear filter, and half a texel for the strip
    // ends, whose texture starts a hair off the dot's centre.
    parts.coreReach = std::min(1.0f, (reach + 1.5f) / (float(std::min(w, h)) / 2));
    parts.coreTexture = MakeTexture(w, h, core.data());
    // The halo is smooth: the nearest texel is as good as four filtered.
    parts.haloTexture = MakeTexture(w, h, halo.data());
    const GLint haloFilter = HaloNearestTexels ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, haloFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, haloFilter);
    return true;
}

bool MakeTarget(int divisor) {
    return MakeGlowTarget(PlayWidth / divisor, PlayHeight / divisor, State.target, State.framebuffer);
}

// Empties the halo picture, which must be bound, unless this frame has
// started it already. Done when the frame first needs it rather than after
// the composite, so the clear joins the frame's halo drawing instead of
// costing the rasterizer a round of its own.
void StartHaloPicture() {
    if (State.fresh) return;
    glPushAttrib(GL_SCISSOR_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
    State.fresh = true;
}

}  // namespace

bool MakeGlowTarget(int width, int height, unsigned& texture, unsigned& framebuffer) {
    if (epoxy_gl_version() < 30 && !epoxy_has_gl_extension("GL_ARB_framebuffer_object")) return false;
    // Kept blue first: Mesa's software rasterizer reads such a texture on
    // its fast path for plain textured rectangles (the composite), and only such.
    texture = MakeTexture(width, height, nullptr, true);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return ok;
}

bool GlowHaloPrepare(const Picture* dot, int divisor, GlowHaloParts& out) {
    if (!dot) return false;
    if (State.dot != dot) {
        GlowHaloForget();
        if (!GlowQuadsReady()) return false;
        if (!SplitDot(dot, State.parts)) return false;
        State.composite = LinkGlowProgram(CompositeVertexSource, CompositeFragmentSource, "halo");
        State.dot = dot;
    }
    if (State.divisor != divisor) {
        if (State.drawn) GlowHaloComposite();
        if (State.framebuffer) glDeleteFramebuffers(1, &State.framebuffer);
        if (State.target) glDeleteTextures(1, &State.target);
        State.framebuffer = State.target = 0;
        State.divisor = 0;
        State.fresh = false;
        if (!MakeTarget(divisor)) return false;
        State.divisor = divisor;
    }
    out = State.parts;
    return true;
}

int GlowHaloDraw(const GlowQuadBatch& quads, int (*more)()) {
    glBindFramebuffer(GL_FRAMEBUFFER, State.framebuffer);
    StartHaloPicture();
    // The play area's projection stays; only the viewport shrinks to the picture.
    glPushAttrib(GL_VIEWPORT_BIT | GL_SCISSOR_BIT);
    const int w = PlayWidth / State.divisor, h = PlayHeight / State.divisor;
    glViewport(0, 0, w, h);
    glScissor(0, 0, w, h);
    // Only the light is added onto the screen; the halo's alpha is never read.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    int calls = DrawGlowQuads(quads, State.parts.haloTexture);
    if (more) calls += more();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPopAttrib();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    State.drawn = true;
    return calls;
}

namespace {

// Starts this frame's halo picture with the backdrop's smooth layer, where
// the backdrop comes apart and no halo has been drawn yet.
const BackdropLayers* SeedHaloWithBackdrop(unsigned texture, bool exact) {
    if (!exact || State.drawn || !State.target) return nullptr;
    // The textures are bound here behind the caller's back; its own is put back.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    // The picture steps lighter when frames are already missing: the lightest
    // halo's layers are worked out with the first, so the step pays for none.
    if (State.divisor < LightestHaloDivisor) BackdropLayersFor(texture, PlayWidth, PlayHeight, LightestHaloDivisor);
    const BackdropLayers* layers = BackdropLayersFor(texture, PlayWidth, PlayHeight, State.divisor);
    if (layers) {
        glBindTexture(GL_TEXTURE_2D, State.target);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, PlayWidth / State.divisor, PlayHeight / State.divisor, GL_BGRA,
                        GL_UNSIGNED_BYTE, layers->smooth.data());
        State.drawn = State.fresh = true;
    }
    glBindTexture(GL_TEXTURE_2D, GLuint(bound));
    return layers;
}

}  // namespace

void GlowHaloAddBackdrop(unsigned texture, bool exact) {
    // One backdrop a frame, as before: a second one is not added over it.
    if (State.stars) return;
    if ((State.stars = SeedHaloWithBackdrop(texture, exact))) return;
    State.backdrop = texture;
    State.backdropExact = exact;
}

namespace {

// The backdrop on the second texture unit, added to the halo's light; 0
// takes it away again.
void BindBackdrop(unsigned texture, bool exact) {
    glActiveTexture(GL_TEXTURE1);
    if (texture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        const GLint filter = exact ? GL_NEAREST : GL_LINEAR;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDisable(GL_TEXTURE_2D);
    }
    glActiveTexture(GL_TEXTURE0);
}

// The play area as one quad: halo texture coordinates on unit 0 (its rows
// start at the bottom, as drawn), the backdrop's on unit 1 (rows from the
// top); a taken-apart backdrop's points first. With the composite program
// the rasterizer is handed what came before as a round of its own, so the
// quad has every tile to itself. Returns the draw calls made.
int DrawPlayArea(const BackdropLayers* stars, bool program) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    int calls = stars ? DrawBackdropPoints(*stars) : 0;
    if (program) {
        glFlush();  // the composite in a round of its own (software_tuning.h)
        glUseProgram(State.composite);
    }
    constexpr float Corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    glBegin(GL_TRIANGLE_STRIP);
    for (const auto& [u, v] : Corners) {
        glMultiTexCoord2f(GL_TEXTURE0, u, v);
        glMultiTexCoord2f(GL_TEXTURE1, u, 1 - v);
        glVertex2f(2 * u - 1, 2 * v - 1);
    }
    glEnd();
    ++calls;
    if (program) glUseProgram(0);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return calls;
}

}  // namespace

int GlowHaloComposite() {
    const bool halo = State.drawn;
    const unsigned backdrop = State.backdrop;
    const BackdropLayers* stars = State.stars;
    if (!halo && !backdrop) return 0;
    State.drawn = false;
    State.backdrop = 0;
    State.stars = nullptr;
    if (!halo) {
        glBindFramebuffer(GL_FRAMEBUFFER, State.framebuffer);
        StartHaloPicture();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    State.fresh = false;
    // The halo picture holds light already scaled by its alpha, and the
    // backdrop is opaque: both are added as they are.
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, State.target);
    if (backdrop) BindBackdrop(backdrop, State.backdropExact);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor4f(1, 1, 1, 1);
    const int calls = DrawPlayArea(stars, !backdrop && State.composite);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (backdrop) BindBackdrop(0, false);
    return calls;
}

void GlowHaloForget() {
    State = HaloState{};
    ForgetBackdropLayers();
    GlowShapesForget();
    GlowQuadsForget();
}
