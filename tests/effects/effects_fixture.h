// Shared set-up of the effect tests: empty lists, a fixed seed, and a
// record of every segment the passes draw.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "common/random.h"
#include "effects/explosions.h"
#include "effects/flying_text.h"
#include "effects/particles.h"
#include "glow/glow_options.h"

inline std::vector<GlowSegment> Drawn;

class EffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(1234);
        StarsList.clear();
        ExplosionsList.clear();
        FlyingTextList.clear();
        Drawn.clear();
        GlowKnobs.capture = &Drawn;
    }
    void TearDown() override { GlowKnobs.capture = nullptr; }

    // The segments one call of `pass` draws.
    template <typename Pass>
    std::vector<GlowSegment> DrawnBy(Pass pass) {
        Drawn.clear();
        pass();
        return Drawn;
    }
};

inline bool SameSegments(const std::vector<GlowSegment>& a, const std::vector<GlowSegment>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].x1 != b[i].x1 || a[i].y1 != b[i].y1 || a[i].x2 != b[i].x2 || a[i].y2 != b[i].y2 ||
            a[i].colour1 != b[i].colour1)
            return false;
    }
    return true;
}
