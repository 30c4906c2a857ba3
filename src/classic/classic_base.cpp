// The base on the ground, its controls, the ground line and the display.
#include <algorithm>
#include <cstdio>

#include "classic/classic_game.h"
#include "classic/classic_parts.h"
#include "combat/base.h"
#include "combat/game_over.h"
#include "combat/shots.h"
#include "common/random.h"
#include "effects/explosions.h"
#include "effects/vector_font.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"

namespace {

constexpr uint32_t HudColour = 0xFFFF4040;
constexpr uint32_t GroundColour = 0xFF40FF40;
// "lives:" ends at x 830, so the icons start one letter further on: at
// x 750 the first two would stand on the text.
constexpr float LifeIconX = 680 + 7 * 28;
constexpr int BaseLeftLimit = 50, BaseRightLimit = 980, BaseStep = 4;

// The hull and gun of the arcade base, upright, origin at (x, y) in field pixels.
void DrawUprightBase(float x, float y, float width) {
    const uint32_t flicker = uint32_t(Rand(-50000, -1));
    const int last = std::min(BaseLastHullSegment, BaseShape.Count() - 1);
    const float cx = x + float(OffsetX), cy = y + float(OffsetY);
    for (int i = 0; i <= last; ++i) {
        const PictureSegment& seg = BaseShape.segments[size_t(i)];
        const uint32_t colour = seg.colour == BaseFlickerColour ? flicker : seg.colour;
        TPoly::Line(GlowImage, 0, cx + float(seg.x1), cy + float(seg.y1), colour, cx + float(seg.x2),
                    cy + float(seg.y2), colour, width);
    }
}

}  // namespace

void DestroyClassicBase() {
    Frozen = LifeLostFrames;
    SpawnExplosion(BaseX, int(BaseBombTop) + 8, StarBurst, 0);
}

void ClassicControls() {
    if (!ClassicBaseAlive()) return;
    const bool left = KeyDown(KeyLeft) || KeyDown(VkLeft) || KeyDown(VkUp) || PadTurnLeft();
    const bool right = KeyDown(KeyRight) || KeyDown(VkRight) || KeyDown(VkDown) || PadTurnRight();
    if (left && BaseX > BaseLeftLimit) BaseX -= BaseStep;
    if (right && BaseX < BaseRightLimit) BaseX += BaseStep;
    const int presses = KeyHit(KeyFire) + PadFireHit();
    if (presses > 0 && PlayerBulletsList.size() < size_t(MaxClassicShots)) FireClassicShot();
}

void DrawClassicBase() {
    if (!ClassicBaseAlive()) return;
    DrawUprightBase(float(BaseX), BaseGroundY, float(LineWidth24));
}

void DrawClassicGround() {
    for (int i = 0; i < 2; ++i)
        TPoly::Line(GlowImage, 0, 2 + float(OffsetX), GroundY + float(OffsetY), GroundColour, 1021 + float(OffsetX),
                    GroundY + float(OffsetY), GroundColour, 24);
}

std::string ClassicScoreText() { return "score: " + SevenDigitScore(Score); }

std::string ClassicLevelText() {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", ClassicLevel);
    return std::string("lvl:") + digits;
}

void DrawClassicHud() {
    DrawVectorText(ClassicScoreText(), 24, 24, HudColour, 0, 1, 1, 1);
    DrawVectorText(ClassicLevelText(), 460, 24, HudColour, 0, 1, 1, 1);
    DrawVectorText("lives:", 680, 24, HudColour, 0, 1, 1, 1);
    for (int i = 0; i < Lives; ++i) DrawUprightBase(LifeIconX + 56 * float(i), 50, float(LineWidth20));
}
