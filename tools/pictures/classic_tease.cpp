// The notice behind the menu's locked classic-mode entry: the mode's own
// scene, five rows of blocky invaders above four bunkers and the base, with
// a large padlock across the middle where the notice's text stands. The menu
// draws it at one fifth of its strength, so it is drawn bright here. Every
// colour is added onto the screen: the picture's alpha carries the light,
// and empty space is fully transparent.
#include <algorithm>
#include <cmath>
#include <vector>

#include "picture_makers.h"

namespace {

constexpr int W = 1024, H = 768;

struct Light {
    std::vector<float> rgb = std::vector<float>(size_t(W) * H * 3, 0.0f);
    void Add(int x, int y, float r, float g, float b) {
        if (x < 0 || y < 0 || x >= W || y >= H) return;
        float* p = &rgb[(size_t(y) * W + x) * 3];
        p[0] += r, p[1] += g, p[2] += b;
    }
    void Block(int x0, int y0, int w, int h, float r, float g, float b) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) Add(x, y, r, g, b);
    }
};

// Three box blurs in a row come close to a Gaussian halo.
std::vector<float> Blurred(const std::vector<float>& src, int radius) {
    std::vector<float> a = src, b(src.size());
    for (int pass = 0; pass < 3; ++pass) {
        for (int horizontal = 1; horizontal >= 0; --horizontal) {
            for (int line = 0; line < (horizontal ? H : W); ++line) {
                const int n = horizontal ? W : H;
                for (int c = 0; c < 3; ++c) {
                    float sum = 0;
                    auto at = [&](int i) -> float& {
                        const size_t px = horizontal ? size_t(line) * W + size_t(i) : size_t(i) * W + size_t(line);
                        return a[px * 3 + size_t(c)];
                    };
                    auto out = [&](int i) -> float& {
                        const size_t px = horizontal ? size_t(line) * W + size_t(i) : size_t(i) * W + size_t(line);
                        return b[px * 3 + size_t(c)];
                    };
                    for (int i = -radius; i <= radius; ++i) sum += at(std::clamp(i, 0, n - 1));
                    for (int i = 0; i < n; ++i) {
                        out(i) = sum / float(2 * radius + 1);
                        sum += at(std::min(i + radius + 1, n - 1)) - at(std::max(i - radius, 0));
                    }
                }
            }
            std::swap(a, b);
        }
    }
    return a;
}

// Invader silhouettes, 13 x 9 cells, one per kind of the formation's rows.
const char* const Domed[9] = {
    ".....###.....", "...#######...", "..##.###.##..", ".###########.", "#############",
    "..#..#.#..#..", ".#..#...#..#.", "#...#...#...#", "..#.......#..",
};
const char* const Clawed[9] = {
    "#...........#", ".#.........#.", "..#.#####.#..", "...#######...", "..##.###.##..",
    "##.#######.##", "#..#######..#", "....#...#....", "...#.....#...",
};
const char* const Wide[9] = {
    "...#######...", ".###########.", "##..#####..##", "#############", "#############",
    "....##.##....", "...##...##...", "..##.....##..", ".##.......##.",
};

void Invader(Light& l, const char* const (&mask)[9], int cx, int cy, int cell, float r, float g, float b) {
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 13; ++col)
            if (mask[row][col] == '#')
                l.Block(cx + (col - 6) * cell - cell / 2, cy + (row - 4) * cell - cell / 2, cell - 1, cell - 1, r, g, b);
}

void Bunker(Light& l, int x0, int y0) {
    // The same arch as the game's bunkers, at a smaller block.
    const char* const rows[6] = {"..########..", ".##########.", "############",
                                 "####....####", "###......###", "###......###"};
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 12; ++col)
            if (rows[row][col] == '#') l.Block(x0 + col * 8, y0 + row * 8, 7, 7, 0.25f, 0.9f, 0.35f);
}

void Padlock(Light& l, int cx, int cy) {
    const float r = 1.0f, g = 0.78f, b = 0.25f;
    // Shackle: a thick half ring on two legs.
    const float ringR = 78, thick = 22;
    for (int y = cy - 200; y <= cy; ++y)
        for (int x = cx - 120; x <= cx + 120; ++x) {
            const float dx = float(x - cx), dy = float(y - (cy - 70));
            const float d = std::hypot(dx, dy);
            const bool arc = dy <= 0 && d >= ringR - thick / 2 && d <= ringR + thick / 2;
            const bool leg = dy > 0 && std::abs(std::abs(dx) - ringR) <= thick / 2;
            if (arc || leg) l.Add(x, y, r * 0.8f, g * 0.8f, b * 0.8f);
        }
    // Body with rounded corners, a darker face inside a bright frame, and the keyhole.
    const int bw = 260, bh = 190, round = 26, frame = 10;
    for (int y = 0; y < bh; ++y)
        for (int x = 0; x < bw; ++x) {
            const float qx = std::max(0.0f, std::abs(float(x) - (bw - 1) / 2.0f) - (bw / 2.0f - round));
            const float qy = std::max(0.0f, std::abs(float(y) - (bh - 1) / 2.0f) - (bh / 2.0f - round));
            const float edge = float(round) - std::hypot(qx, qy);  // distance inside the outline
            if (edge < 0) continue;
            const float k = edge < frame ? 1.0f : 0.45f;
            const int px = cx - bw / 2 + x, py = cy + y;
            const float kx = float(px - cx), ky = float(py - (cy + 80));
            const bool hole = std::hypot(kx, ky) < 20 || (std::abs(kx) < 8 && ky > 0 && ky < 55);
            if (!hole) l.Add(px, py, r * k, g * k, b * k);
        }
}

}  // namespace

RgbaPicture MakeClassicTease() {
    Light core;
    const float kinds[3][3] = {{0.25f, 0.95f, 0.2f}, {0.95f, 0.2f, 0.15f}, {0.25f, 0.55f, 1.0f}};
    for (int row = 0; row < 5; ++row) {
        const int kind = row == 0 ? 0 : row < 3 ? 1 : 2;
        const char* const (&mask)[9] = kind == 0 ? Domed : kind == 1 ? Clawed : Wide;
        for (int col = 0; col < 11; ++col)
            Invader(core, mask, 112 + col * 80, 52 + row * 52, 4, kinds[kind][0], kinds[kind][1], kinds[kind][2]);
    }
    for (int i = 0; i < 4; ++i) Bunker(core, 124 + i * 226, 600);
    // The base on the ground line.
    core.Block(150, 712, 44, 10, 0.9f, 0.9f, 0.2f);
    core.Block(164, 700, 16, 12, 0.9f, 0.9f, 0.2f);
    core.Block(170, 686, 4, 14, 1.0f, 1.0f, 1.0f);
    core.Block(4, 736, 1016, 4, 0.25f, 0.9f, 0.25f);
    Padlock(core, 512, 380);

    const std::vector<float> halo = Blurred(core.rgb, 6);
    RgbaPicture pic(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const size_t i = (size_t(y) * W + x) * 3;
            float c[3];
            for (int k = 0; k < 3; ++k) c[k] = core.rgb[i + size_t(k)] + 1.6f * halo[i + size_t(k)];
            const float light = std::min(1.0f, std::max({c[0], c[1], c[2]}));
            if (light <= 0.002f) continue;  // fully transparent
            auto channel = [&](float v) { return uint8_t(std::lround(std::clamp(v / light, 0.0f, 1.0f) * 255)); };
            pic.Set(x, y, channel(c[0]), channel(c[1]), channel(c[2]), uint8_t(std::lround(light * 255)));
        }
    return pic;
}
