// The backdrop behind the play field: deep space with a faint nebula and a
// scatter of stars, dim enough that the additive glow lines stay the stars of
// the show. Seeded, so every build draws the same sky.
#include <algorithm>
#include <cmath>
#include <random>

#include "picture_makers.h"

RgbaPicture MakeBackdrop() {
    const int w = 1024, h = 768;
    RgbaPicture pic(w, h);
    std::mt19937 rng(1977);
    std::uniform_real_distribution<double> unit(0.0, 1.0);

    // Two soft nebula clouds, violet upper left and teal lower right.
    struct Cloud { double x, y, r, cr, cg, cb; };
    const Cloud clouds[] = {{230, 170, 330, 38, 10, 52}, {820, 600, 360, 6, 30, 44}, {700, 140, 200, 20, 8, 30}};
    std::vector<double> rgb(size_t(w) * h * 3, 0.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double* p = &rgb[(size_t(y) * w + x) * 3];
            for (const Cloud& c : clouds) {
                const double d = std::hypot(x - c.x, y - c.y) / c.r;
                const double swirl = 0.75 + 0.25 * std::sin(x * 0.013 + y * 0.021) * std::cos(y * 0.017 - x * 0.007);
                const double k = std::exp(-d * d * 2.2) * swirl;
                p[0] += c.cr * k, p[1] += c.cg * k, p[2] += c.cb * k;
            }
        }
    }
    // Stars: many faint ones, a few bright with a tiny cross.
    for (int i = 0; i < 900; ++i) {
        const int x = int(unit(rng) * w), y = int(unit(rng) * h);
        const double b = 30 + 90 * std::pow(unit(rng), 3.0);
        const double tint = unit(rng);
        double* p = &rgb[(size_t(y) * w + x) * 3];
        p[0] += b * (0.8 + 0.2 * tint), p[1] += b * 0.85, p[2] += b * (1.0 - 0.2 * tint);
        if (b > 90) {
            for (int d = -2; d <= 2; ++d) {
                if (d == 0) continue;
                const double f = b * 0.35 / std::abs(d);
                if (x + d >= 0 && x + d < w) for (int c = 0; c < 3; ++c) rgb[(size_t(y) * w + x + d) * 3 + c] += f;
                if (y + d >= 0 && y + d < h) for (int c = 0; c < 3; ++c) rgb[(size_t(y + d) * w + x) * 3 + c] += f;
            }
        }
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double* p = &rgb[(size_t(y) * w + x) * 3];
            pic.Set(x, y, uint8_t(std::min(255.0, p[0])), uint8_t(std::min(255.0, p[1])),
                    uint8_t(std::min(255.0, p[2])), 255);
        }
    return pic;
}
