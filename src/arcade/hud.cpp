#include "arcade/hud.h"

#include <string>

#include "combat/base.h"
#include "combat/controls.h"
#include "combat/game_over.h"
#include "common/maths.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"

namespace {

constexpr uint32_t HudBlue = 0xFF2080FF;

void HudText(const std::string& text, float x, float y, uint32_t colour) {
    DrawVectorText(text, x, y, colour, 0, 1, 1, 1);
}

void HudLine(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2) {
    const float ox = float(OffsetX), oy = float(OffsetY);
    TPoly::Line(GlowImage, 0, x1 + ox, y1 + oy, c1, x2 + ox, y2 + oy, c2, float(LineWidth18));
}

// A full powerup (100) fills 200 of the frame's 202 pixels.
void DrawPowerupBar() {
    HudText("powerup", 24, 738, HudBlue);
    HudLine(805, 726, HudBlue, 1007, 726, HudBlue);
    HudLine(805, 755, HudBlue, 1007, 755, HudBlue);
    HudLine(805, 726, HudBlue, 805, 755, HudBlue);
    HudLine(1007, 726, HudBlue, 1007, 755, HudBlue);
    const int w = TruncToInt(PowerupTime * 2);
    if (w == 0) return;  // nothing left to shade
    for (int i = 1; i <= 28; i += 3) HudLine(805, float(726 + i), HudBlue, float(805 + w), float(726 + i), 0xFF06A63E);
}

}  // namespace

void DrawHudScore() { HudText("score: " + SevenDigitScore(Score), 640, 24, 0xFFFF4040); }

void DrawHud() {
    DrawSpareLives();
    DrawHudScore();
    if (SaucerLevel == 0 && BossLevel == 0 && BigEarthLevel == 0)
        HudText("waves left: " + std::to_string(WaveCount - WavesSpawned), 210, 24, HudBlue);
    if (BigEarthLevel == 1 && TimeBonus > 0) HudText("timebonus: " + std::to_string(TimeBonus / 600), 210, 24, HudBlue);
    if (PowerupTime == 0) HudText("level: " + std::to_string(Level), 24, 738, HudBlue);
    if (PowerupTime > 0 && PowerupBarShown == 1) DrawPowerupBar();
    if (BigEarthLevel == 1 && TimeBonus > 0) TimeBonus -= 5;
    if (Shields > 0) {
        HudText("shields:", 640, 66, 0xFF008080);
        for (int i = 1; i <= Shields; ++i) DrawGlowPolygon(float(ShieldIconX(i)), 66, 0, 6, 14, 0xFF009090);
    }
}
