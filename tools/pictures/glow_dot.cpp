// The glow dot every line is drawn with: white, radially symmetric alpha with
// a two-pixel bright core and a long, faint halo. Column 64 carries the exact
// cross-section; the rest of the picture is that profile swept round the centre.
#include <cmath>

#include "picture_makers.h"

namespace {

const int Profile[128] = {
    1,  1,  1,  2,  2,  2,  2,  3,  3,  3,  4,  4,  4,  5,  5,  5,  6,  7,   7,   7,   8,   9,
    9,  10, 11, 11, 12, 13, 13, 14, 15, 15, 16, 17, 17, 18, 19, 19, 20, 21,  21,  22,  23,  23,
    24, 24, 25, 25, 26, 26, 26, 27, 27, 28, 28, 28, 28, 29, 29, 29, 30, 42,  172, 255, 255, 171,
    42, 30, 29, 29, 29, 28, 28, 28, 28, 27, 27, 26, 26, 26, 25, 25, 24, 24,  23,  23,  22,  21,
    21, 20, 19, 19, 18, 17, 17, 16, 15, 15, 14, 13, 13, 12, 11, 11, 10, 9,   9,   8,   7,   7,
    7,  6,  5,  5,  5,  4,  4,  4,  3,  3,  3,  2,  2,  2,  2,  1,  1,  1};

// Distance of row r of column 64 from the picture's centre (63.5, 63.5).
double ColumnDistance(int r) { return std::sqrt(0.25 + (r - 63.5) * (r - 63.5)); }

// Alpha at distance d, read off the lower half of the column by linear interpolation.
double AlphaAt(double d) {
    if (d < ColumnDistance(64)) return Profile[64];
    for (int r = 64; r < 127; ++r) {
        const double d0 = ColumnDistance(r), d1 = ColumnDistance(r + 1);
        if (d <= d1) {
            const double t = (d - d0) / (d1 - d0);
            return Profile[r] + (Profile[r + 1] - Profile[r]) * t;
        }
    }
    return 0;
}

}  // namespace

RgbaPicture MakeGlowDot() {
    RgbaPicture pic(128, 128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const double d = std::hypot(x - 63.5, y - 63.5);
            int a = x == 64 ? Profile[y] : int(std::lround(AlphaAt(d)));
            pic.Set(x, y, 255, 255, 255, uint8_t(a));
        }
    }
    return pic;
}
