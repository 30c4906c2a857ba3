#include "effects/effect_line.h"

#include "game/settings.h"
#include "glow/glow.h"

void DrawEffectLine(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2, int width) {
    const float ox = float(OffsetX), oy = float(OffsetY);
    TPoly::Line(GlowImage, 0, x1 + ox, y1 + oy, colour1, x2 + ox, y2 + oy, colour2, float(width));
}
