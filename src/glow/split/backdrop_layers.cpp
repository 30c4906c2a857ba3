#include "glow/split/backdrop_layers.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

// A pixel this many levels above the smooth layer in some colour is a point;
// below it, the difference is left out: in a dark sky no one sees it.
constexpr int PointLevel = 3;
// A pixel this far below the smooth layer cannot be mended by adding light:
// a picture with many of them is not a sky with stars.
constexpr int OvershootLevel = 6;

// The darkest of each divisor x divisor block, colour by colour: stars and
// their rays never fill a block, so the sky between them is what is left.
std::vector<uint8_t> BlockMinimum(const uint8_t* rgba, int width, int height, int divisor) {
    const int w = width / divisor, h = height / divisor;
    std::vector<uint8_t> low(size_t(w) * h * 4, 255);
    for (int y = 0; y < h * divisor; ++y) {
        const uint8_t* from = rgba + size_t(y) * width * 4;
        uint8_t* to = &low[size_t(y / divisor) * w * 4];
        for (int block = 0; block < w; ++block, to += 4)
            for (int x = 0; x < divisor; ++x, from += 4)
                for (int c = 0; c < 3; ++c) to[c] = std::min(to[c], from[c]);
    }
    return low;
}

// Where the halo's linear filter reads the smooth layer for one column (or
// row) of pixels: texel centres sit in the middle of their blocks, and the
// edges clamp. Worked out once a column and once a row, not per pixel: the
// backdrop is taken apart while a frame waits.
struct Tap {
    int first, second;  // texels
    float weight;       // of the second
};
std::vector<Tap> FilterTaps(int pixels, int texels, int divisor) {
    std::vector<Tap> taps(static_cast<size_t>(pixels));
    for (int i = 0; i < pixels; ++i) {
        const float f = (float(i) + 0.5f) / float(divisor) - 0.5f;
        const int i0 = int(std::floor(f));
        taps[size_t(i)] = {std::clamp(i0, 0, texels - 1), std::clamp(i0 + 1, 0, texels - 1), f - float(i0)};
    }
    return taps;
}

// The smooth layer is the darkest of each block of divisor x divisor
// pixels, which the halo's linear filter spreads back over the play area;
// every pixel more than a few levels brighter than that becomes a point.
BackdropLayers TakeBackdropApart(const uint8_t* rgba, int width, int height, int divisor) {
    BackdropLayers out;
    out.divisor = divisor;
    if (divisor < 1 || width % divisor || height % divisor) return out;
    const int w = width / divisor, h = height / divisor;
    const std::vector<uint8_t> low = BlockMinimum(rgba, width, height, divisor);
    const std::vector<Tap> columns = FilterTaps(width, w, divisor), rows = FilterTaps(height, h, divisor);
    long overshoots = 0;
    const size_t mostPoints = size_t(width) * height / 32;
    for (int y = 0; y < height; ++y) {
        const Tap& row = rows[size_t(y)];
        const uint8_t* upper = &low[size_t(row.first) * w * 4];
        const uint8_t* lower = &low[size_t(row.second) * w * 4];
        const float ay = row.weight;
        for (int x = 0; x < width; ++x) {
            const Tap& column = columns[size_t(x)];
            const uint8_t *upperLeft = upper + column.first * 4, *upperRight = upper + column.second * 4;
            const uint8_t *lowerLeft = lower + column.first * 4, *lowerRight = lower + column.second * 4;
            const float ax = column.weight;
            int add[3];
            bool point = false;
            for (int c = 0; c < 3; ++c) {
                const float spread = (float(upperLeft[c]) * (1 - ax) + float(upperRight[c]) * ax) * (1 - ay) +
                                     (float(lowerLeft[c]) * (1 - ax) + float(lowerRight[c]) * ax) * ay;
                // Rounded half away from zero as lround does (the spread is never
                // negative, and exact in a double), without a call per colour.
                const int d = int(rgba[(size_t(y) * width + size_t(x)) * 4 + c]) - int(double(spread) + 0.5);
                overshoots += d < -OvershootLevel;
                add[c] = std::max(d, 0);
                point |= d > PointLevel;
            }
            if (!point) continue;
            if (out.pointRGBA.size() / 4 >= mostPoints) return out;
            out.pointXY.push_back((float(x) + 0.5f) / float(width) * 2 - 1);
            out.pointXY.push_back(1 - (float(y) + 0.5f) / float(height) * 2);
            for (int c = 0; c < 3; ++c) out.pointRGBA.push_back(uint8_t(add[c]));
            out.pointRGBA.push_back(255);
        }
    }
    if (overshoots > long(width) * height / 1000) return out;
    // The halo picture's rows run from the bottom up, its texels blue first.
    out.smooth.resize(low.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* from = &low[(size_t(y) * w + size_t(x)) * 4];
            uint8_t* to = &out.smooth[(size_t(h - 1 - y) * w + size_t(x)) * 4];
            to[0] = from[2], to[1] = from[1], to[2] = from[0], to[3] = 255;
        }
    }
    out.fits = true;
    return out;
}

struct Kept {
    unsigned texture = 0;
    BackdropLayers layers;
};
std::deque<Kept> KeptLayers;  // a deque: the layers handed out stay where they are

}  // namespace

const BackdropLayers* BackdropLayersFor(unsigned texture, int width, int height, int divisor) {
    for (const Kept& k : KeptLayers)
        if (k.texture == texture && k.layers.divisor == divisor) return k.layers.fits ? &k.layers : nullptr;
    std::vector<uint8_t> px(size_t(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    Kept kept{texture, {}};
    kept.layers.divisor = divisor;
    if (w == width && h == height) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        kept.layers = TakeBackdropApart(px.data(), width, height, divisor);
    }
    KeptLayers.push_back(std::move(kept));
    return KeptLayers.back().layers.fits ? &KeptLayers.back().layers : nullptr;
}

int DrawBackdropPoints(const BackdropLayers& layers) {
    if (layers.pointXY.empty()) return 0;
    glDisable(GL_TEXTURE_2D);
    glPointSize(1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, layers.pointXY.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, layers.pointRGBA.data());
    glDrawArrays(GL_POINTS, 0, GLsizei(layers.pointXY.size() / 2));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_TEXTURE_2D);
    return 1;
}

void ForgetBackdropLayers() { KeptLayers.clear(); }
