#include "combat/base.h"

#include <algorithm>
#include <string>

#include "common/maths.h"
#include "common/random.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"

int PlayerShotCount = 0;
VectorPicture BaseShape;

void LoadBaseShape() { BaseShape = LoadVectorPicture("pictures/base.txt"); }

int ShapeAngleIndex(float degrees) {
    int a = TruncToInt(degrees);
    if (a < 0 || a > 360) {
        a %= 360;
        if (a < 0) a += 360;
    }
    return a;
}

void DrawBase(float a, int which) {
    if (EarthRadius <= 0) return;
    int last = BaseLastHullSegment;
    if (BaseShieldLook == 1) last = 25;
    if (BaseShieldLook == 2) last = 40;
    last = std::min(last, BaseShape.Count() - 1);
    const uint32_t flicker = uint32_t(Rand(-50000, -1));
    const float ox = Sin(a) * EarthRadius * 5.8f;
    const float oy = -Cos(a) * EarthRadius * 5.8f;
    const float c = Cos(a), s = Sin(a);
    const float cx = 512 + float(OffsetX) + ox, cy = 384 + float(OffsetY) + oy;
    for (int i = 0; i <= last; ++i) {
        if (BaseShieldLook == 2 && i == 18) i = 26;  // the deflect shield replaces the absorb shield
        const PictureSegment& seg = BaseShape.segments[size_t(i)];
        const uint32_t colour = seg.colour == BaseFlickerColour ? flicker : seg.colour;
        const float x1 = float(seg.x1) * c - float(seg.y1) * s, y1 = float(seg.x1) * s + float(seg.y1) * c;
        const float x2 = float(seg.x2) * c - float(seg.y2) * s, y2 = float(seg.x2) * s + float(seg.y2) * c;
        TPoly::Line(GlowImage, 0, cx + x1, cy + y1, colour, cx + x2, cy + y2, colour, float(LineWidth24));
    }
    if (which == 0) {
        BaseX = TruncToInt(512 + ox);
        BaseY = TruncToInt(384 + oy);
    } else {
        SecondBaseX = TruncToInt(512 + ox);
        SecondBaseY = TruncToInt(384 + oy);
    }
}

void DrawSpareLives() {
    if (Lives <= 1) return;
    const int last = std::min(BaseLastHullSegment, BaseShape.Count() - 1);
    const float cx = 48 + float(OffsetX), cy = 48 + float(OffsetY);
    for (int i = 0; i <= last; ++i) {
        const PictureSegment& seg = BaseShape.segments[size_t(i)];
        TPoly::Line(GlowImage, 0, cx + float(seg.x1), cy + float(seg.y1), seg.colour, cx + float(seg.x2),
                    cy + float(seg.y2), seg.colour, float(LineWidth24));
    }
    DrawVectorText("x" + std::to_string(Lives - 1), 100, 36, 0xFFFF4020, 0, 1.25f, 1.25f, 1);
}
