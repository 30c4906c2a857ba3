#include "combat/collisions.h"

#include <cmath>

int WithinDistance(int x1, int y1, int x2, int y2, int r) {
    // In double: the differences of clamped far-away positions overflow int.
    const double dx = double(x1) - double(x2), dy = double(y1) - double(y2);
    return std::sqrt(dx * dx + dy * dy) < double(r) ? 1 : 0;
}

int SegmentsCross(float ax1, float ay1, float ax2, float ay2, float bx1, float by1, float bx2, float by2) {
    const float d = (by2 - by1) * (ax2 - ax1) - (bx2 - bx1) * (ay2 - ay1);
    if (std::fabs(d) < 0.0001f) return 0;
    const float u = ((ay1 - by1) * (bx2 - bx1) - (ax1 - bx1) * (by2 - by1)) / d;
    const float v = ((ay1 - by1) * (ax2 - ax1) - (ax1 - bx1) * (ay2 - ay1)) / d;
    return u > 0 && u < 1 && v > 0 && v < 1 ? 1 : 0;
}
