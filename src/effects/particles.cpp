#include "effects/particles.h"

#include <cmath>

#include "common/maths.h"
#include "common/random.h"
#include "effects/effect_line.h"
#include "glow/glow.h"

std::list<Stars> StarsList;

namespace {

// Opaque, full red, some green, any blue: warm whites, yellows and pinks.
uint32_t ParticleColour() { return uint32_t(Rand(-50000, -10000)); }

float ATan2(float y, float x) { return std::atan2(y, x) / DegToRad; }

void SpawnStreak(Stars& p, float a, float speedScale) {
    const int s = Rand(20, 40);
    p.xspeed = Sin(a) * float(s) * speedScale;
    p.yspeed = -Cos(a) * float(s) * speedScale;
    p.radius = float(s);
    p.angle = Rnd(0.5f, 6);
}

void SpawnOne(int x, int y, int kind) {
    Stars p;
    p.WhatType = kind;
    p.x = float(x), p.y = float(y);
    p.color = ParticleColour();
    switch (kind) {
    case 0: {
        p.life = Rand(20, 60);
        const float a = float(Rand(1, 359));
        p.xspeed = Sin(a) * float(Rand(3, 8));
        p.yspeed = -Cos(a) * float(Rand(3, 8));
        break;
    }
    case 1:
        p.life = Rand(20, 60);
        SpawnStreak(p, 270 + ATan2(384 - float(y), 512 - float(x)) + Rnd(-20, 20), 1);
        break;
    case 3: {
        p.life = Rand(10, 20);
        float a = Rnd(-20, 20);
        if (a < 0) a += 360;
        SpawnStreak(p, a, 1 / 0.75f);
        break;
    }
    default:
        return;
    }
    StarsList.push_back(p);
}

// Ring k (from 1) waits 8 frames longer than the one before and is turned
// 5 degrees further, so the rings come out one after another.
void SpawnRings(int x, int y, int count) {
    for (int k = 1; k <= count; ++k) {
        const int wait = 1 + 8 * (k - 1);
        const float turn = float(5 * (k - 1));
        for (int i = 0; i < RingParticles; ++i) {
            Stars p;
            p.WhatType = 2;
            p.x = float(x), p.y = float(y);
            p.color = ParticleColour();
            p.life = Rand(20, 60);
            const float a = float(16 * i) + turn;
            p.xspeed = Sin(a) * 2;
            p.yspeed = -Cos(a) * 2;
            p.radius = float(wait);
            StarsList.push_back(p);
        }
    }
}

}  // namespace

void SpawnParticles(int x, int y, int count, int kind) {
    if (kind == 2) {
        SpawnRings(x, y, count);
        return;
    }
    if (kind < 0 || kind > 3) return;
    for (int i = 0; i < count; ++i) SpawnOne(x, y, kind);
}

void UpdateParticles(int move) {
    for (auto it = StarsList.begin(); it != StarsList.end();) {
        Stars& p = *it;
        if (p.WhatType == 0)
            DrawEffectLine(p.x, p.y, p.color, p.x + 1, p.y, p.color, LineWidth10);
        else
            DrawEffectLine(p.x, p.y, p.color, p.x + p.xspeed, p.y + p.yspeed, p.color, LineWidth14);
        if (move != 1) {
            ++it;
            continue;
        }
        bool aged = true;
        switch (p.WhatType) {
        case 0:
            p.x += p.xspeed, p.y += p.yspeed;
            p.life -= 1;
            break;
        case 1:
        case 3:
            p.x += p.xspeed / p.angle, p.y += p.yspeed / p.angle;
            p.life -= p.WhatType == 3 ? 2 : 1;
            break;
        case 2:
            if (p.radius > 0) p.radius -= 1;
            if (p.radius == 0) {
                p.x += p.xspeed, p.y += p.yspeed;
                p.life -= 1;
            } else {
                aged = false;
            }
            break;
        default:
            aged = false;
        }
        if (aged && p.life < 0)
            it = StarsList.erase(it);
        else
            ++it;
    }
}
