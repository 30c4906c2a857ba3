// Angles are degrees throughout the game: 0 is up, angles grow clockwise, and
// the point at angle a and distance d from the field centre is
// (512 + Sin(a) * d, 384 - Cos(a) * d).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

constexpr float DegToRad = 3.14159265358979323846f / 180.0f;

inline float Sin(float degrees) { return std::sin(degrees * DegToRad); }
inline float Cos(float degrees) { return std::cos(degrees * DegToRad); }

// Float to int truncates toward zero; out-of-range or NaN values, which C++
// leaves undefined, clamp instead (NaN gives 0).
inline int TruncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
