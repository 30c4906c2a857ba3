// One block of a classic-mode bunker: a green brick with a brighter rim and
// a soft halo, 12 x 12. Blocks stand 6 pixels apart, so every halo overlaps
// its neighbours' and, added together, a whole bunker glows as one piece
// while a bitten edge still shows each block.
#include <algorithm>
#include <cmath>

#include "picture_makers.h"

RgbaPicture MakeBunkerBlock() {
    const int size = 12;
    RgbaPicture pic(size, size);
    const double centre = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Distance outside the 6 x 6 brick in the middle (0 inside it).
            const double dx = std::max(0.0, std::abs(x - centre) - 2.5);
            const double dy = std::max(0.0, std::abs(y - centre) - 2.5);
            const double outside = std::hypot(dx, dy);
            double a;
            if (outside == 0) {
                // The rim of the brick is lit more than its face.
                const bool rim = std::abs(x - centre) > 1.6 || std::abs(y - centre) > 1.6;
                a = rim ? 0.62 : 0.42;
            } else {
                a = 0.34 * std::exp(-outside * outside / 4.5);
            }
            const uint8_t alpha = uint8_t(std::lround(std::clamp(a, 0.0, 1.0) * 255));
            pic.Set(x, y, 70, 255, 96, alpha);
        }
    }
    return pic;
}
