#include "effects/explosions.h"

#include "common/maths.h"
#include "common/random.h"
#include "effects/effect_line.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"

std::list<Explosions> ExplosionsList;
VectorPicture BaseShapeTable[2];

namespace {

constexpr uint32_t White = 0xFFFFFFFF, Red = 0xFFFF0000, Yellow = 0xFFFFFF00;

uint32_t DebrisColour() { return 0xFF000000u + uint32_t(Rand(0x404040, 0xFFFFFF)); }

void SpawnDebris(int x, int y, int kind, int pieces, int speedLo, int speedHi, int lifeLo, int lifeHi) {
    for (int i = 0; i < pieces; ++i) {
        Explosions e;
        e.fx = x, e.fy = y, e.exptype = kind;
        e.fAngle = Rand(0, 359);
        e.fspeed = float(Rand(speedLo, speedHi));
        e.fCount = Rand(lifeLo, lifeHi);
        e.color = DebrisColour();
        ExplosionsList.push_back(e);
    }
}

void Ray(const Explosions& e, float tipX, float tipY) {
    const float x = float(e.fx), y = float(e.fy);
    DrawEffectLine(x, y, Red, x + tipX, y + tipY, Yellow, LineWidth20);
}

void DrawHitFlash(const Explosions& e, int frozen) {
    for (int i = 1; i <= 5; ++i) {
        if (frozen == 1) {
            const float a = float(71 * i);
            Ray(e, Sin(a) * 12, -Cos(a) * 20);
        } else {
            const float a = float(Rand(0, 359));
            const float tipX = Sin(a) * float(Rand(10, 20));
            Ray(e, tipX, -Cos(a) * float(Rand(10, 20)));
        }
    }
}

// Spokes from 6 pixels out to `outer` times that, turned by fAngle.
void DrawSpokes(float x, float y, int fAngle, int first, int step, int count, float outer, uint32_t colour) {
    for (int i = 0; i < count; ++i) {
        const float a = float(fAngle + first + step * i);
        const float px = Sin(a) * 6, py = -Cos(a) * 6;
        DrawEffectLine(x + px, y + py, colour, x + px * outer, y + py * outer, colour, LineWidth20);
    }
}

void DrawWreckAt(const Explosions& e, int x, int y) {
    const int phase = TruncToInt(e.fLength);
    if (phase == 1) {
        DrawSpokes(float(x), float(y), e.fAngle, 1, 22, 17, 4, 0xFF808080);
        return;
    }
    const VectorPicture& outline = BaseShapeTable[phase == 0 ? 0 : 1];
    const uint32_t colour = phase == 0 ? White : 0xFF404040;
    for (const PictureSegment& s : outline.segments)
        DrawEffectLine(float(x + s.x1), float(y + s.y1), colour, float(x + s.x2), float(y + s.y2), colour,
                       LineWidth20);
}

void BaseWreckStep(Explosions& e, int frozen) {
    DrawWreckAt(e, BaseX, BaseY);
    if (PowerupKind == 3) DrawWreckAt(e, SecondBaseX, SecondBaseY);
    if (frozen != 0) return;
    if (++e.WaitDelay == 9) {
        e.WaitDelay = 0;
        e.fLength = float((TruncToInt(e.fLength) + 1) % 3);
    }
}

void ShockRingStep(Explosions& e, int frozen) {
    if (frozen == 0) {
        if (e.DelayB4Showing > 0) e.DelayB4Showing -= 1;
        e.fAngle = TruncToInt(float(e.fAngle) + e.direction);
        e.radius += 4;
    }
    if (e.DelayB4Showing != 0) return;
    for (int a = 0; a <= 340; a += 20) {
        const float px = Sin(float(e.fAngle + a)) * e.radius, py = -Cos(float(e.fAngle + a)) * e.radius;
        DrawEffectLine(float(e.fx) + px, float(e.fy) + py, e.col1, float(e.fx) + 2 * px, float(e.fy) + 2 * py,
                       e.col1, LineWidth20);
    }
}

void MoveDebris(Explosions& e) {
    e.fx = TruncToInt(float(e.fx) + Sin(float(e.fAngle)) * e.fspeed);
    e.fy = TruncToInt(float(e.fy) - Cos(float(e.fAngle)) * e.fspeed);
}

// False when the fragment has burnt out.
bool DebrisStep(Explosions& e) {
    if (--e.fCount <= 0) return false;
    const float x = float(e.fx), y = float(e.fy);
    if (e.exptype == DebrisDots) {
        MoveDebris(e);
        DrawEffectLine(float(e.fx), float(e.fy), e.color, float(e.fx) + 1, float(e.fy) + 1, e.color, LineWidth16);
    } else {
        const float a = float(e.fAngle);
        DrawEffectLine(x, y, e.color, x + Sin(a) * e.fspeed * 4, y - Cos(a) * e.fspeed * 4, e.color, LineWidth16);
        MoveDebris(e);
    }
    return true;
}

}  // namespace

void LoadBaseShapeTable() {
    BaseShapeTable[0] = LoadVectorPicture("pictures/base_wreck_0.txt");
    BaseShapeTable[1] = LoadVectorPicture("pictures/base_wreck_1.txt");
}

void SpawnExplosion(int x, int y, int kind, float direction, int variant) {
    if (kind == DebrisDots) return SpawnDebris(x, y, kind, 41, 6, 12, 60, 180);
    if (kind == DebrisStreaks) return SpawnDebris(x, y, kind, 64, 8, 16, 40, 120);
    Explosions e;
    e.fx = x, e.fy = y, e.exptype = kind;
    e.WaitDelay = 0;
    e.fCount = 24;
    if (kind == StarBurst) e.fCount = 12, e.fLength = 3;
    if (kind == BaseWreck) e.fCount = 60, e.fLength = 0;
    if (kind == ShockRing) {
        e.direction = direction;
        e.col1 = variant == ShockRingRed ? 0xFFFF2020 : 0xFFFFFF20;
        e.DelayB4Showing = variant == ShockRingRed ? 10 : 0;
    }
    ExplosionsList.push_back(e);
}

void UpdateExplosions(int frozen) {
    for (auto it = ExplosionsList.begin(); it != ExplosionsList.end();) {
        Explosions& e = *it;
        switch (e.exptype) {
        case HitFlash: DrawHitFlash(e, frozen); break;
        case StarBurst: DrawSpokes(float(e.fx), float(e.fy), e.fAngle, 1, 60, 6, e.fLength, White); break;
        case BaseWreck: BaseWreckStep(e, frozen); break;
        case ShockRing: ShockRingStep(e, frozen); break;
        case DebrisDots:
        case DebrisStreaks:
            if (!DebrisStep(e)) {
                it = ExplosionsList.erase(it);
                continue;
            }
            break;
        default: break;
        }
        if (frozen == 0 && --e.fCount <= 0) {
            if (e.exptype == BaseWreck) Frozen = 2;
            it = ExplosionsList.erase(it);
            continue;
        }
        ++it;
    }
}
