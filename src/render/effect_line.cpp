#include "render/effect_line.h"

#include "render/tpoly.h"
#include "settings/settings.h"

EffectSegmentTap EffectTap = nullptr;

void DrawEffectLine(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2, int width) {
    if (x1 == x2 && y1 == y2) return;
    x1 += float(OffsetX), x2 += float(OffsetX);
    y1 += float(OffsetY), y2 += float(OffsetY);
    if (EffectTap) {
        EffectTap({x1, y1, colour1, x2, y2, colour2, float(width)});
        return;
    }
    TPoly::Line(GlowImage, 0, x1, y1, colour1, x2, y2, colour2, float(width));
}
