#include "score_plausibility.h"

#include <cstdlib>
#include <limits>

int64_t MostPointsFor(const std::string& level) {
    constexpr int64_t Unbounded = std::numeric_limits<int64_t>::max();
    const int last = std::atoi(level.c_str() + 4);
    int64_t levels = last;
    if (level.compare(0, 3, "CLA") != 0) {
        // Once classic mode is unlocked, level 100 is played again and again.
        if (last >= 100) return Unbounded;
        levels = std::abs(last - std::atoi(level.substr(0, 3).c_str())) + 1;
    }
    // A classic game past level 999 shows only the last three digits.
    if (levels <= 0) return Unbounded;
    return levels * MostPointsPerLevel;
}
