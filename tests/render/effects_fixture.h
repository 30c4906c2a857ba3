// Shared set-up of the effect tests: empty lists, a fixed seed, and a tap
// that records every segment the passes draw.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "common/random.h"
#include "render/effect_line.h"
#include "render/explosions.h"
#include "render/flying_text.h"
#include "render/particles.h"

inline std::vector<EffectSegment> Drawn;

inline void RecordSegment(const EffectSegment& s) { Drawn.push_back(s); }

class EffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(1234);
        StarsList.clear();
        ExplosionsList.clear();
        FlyingTextList.clear();
        Drawn.clear();
        EffectTap = RecordSegment;
    }
    void TearDown() override { EffectTap = nullptr; }

    // The segments one call of `pass` draws.
    template <typename Pass>
    std::vector<EffectSegment> DrawnBy(Pass pass) {
        Drawn.clear();
        pass();
        return Drawn;
    }
};

inline bool SameSegments(const std::vector<EffectSegment>& a, const std::vector<EffectSegment>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].x1 != b[i].x1 || a[i].y1 != b[i].y1 || a[i].x2 != b[i].x2 || a[i].y2 != b[i].y2 ||
            a[i].colour1 != b[i].colour1)
            return false;
    }
    return true;
}
