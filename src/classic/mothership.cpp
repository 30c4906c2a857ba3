// The mothership: once the formation has lost its first invader it may cross
// the top of the field, left to right or back, dropping curtains of bombs.
#include "classic/classic_game.h"
#include "classic/classic_parts.h"
#include "combat/invaders.h"
#include "combat/ufo.h"
#include "common/random.h"
#include "game/settings.h"
#include "glow/glow.h"

int MothershipOn = 0;
float MothershipX = 0;
float MothershipDirection = 1;
int MothershipFlash = 0;

namespace {

constexpr uint32_t MothershipColour = 0xFFFFFF00;
constexpr float CurtainY = 128;

void DrawMothership() {
    const auto& shape = UfoShapes[0];
    const int last = shape[0][0];
    const float cx = MothershipX + float(OffsetX), cy = MothershipY + float(OffsetY);
    for (int k = 0; k <= last && k < UfoSegments; ++k)
        TPoly::Line(GlowImage, 0, cx + float(shape[k][2]), cy + float(shape[k][3]), MothershipColour,
                    cx + float(shape[k][4]), cy + float(shape[k][5]), MothershipColour, 20);
}

}  // namespace

void DropBombCurtain() {
    for (int k = 1; k <= 10; ++k) DropBomb(MothershipX - 56 + 9 * float(k), CurtainY, 10);
}

void UpdateMothership(int move) {
    if (move == 1 && MothershipOn == 0 && EnemiesList.size() < 55 && Rand(1, 240) == 1) {
        MothershipOn = 1;
        MothershipDirection = float(Rand(1, 2));
        MothershipX = MothershipDirection == 1 ? -20.0f : 1044.0f;
    }
    if (MothershipOn == 0) return;
    if (move == 1) {
        // Each way has its own far side: it enters just beyond the other one.
        const bool right = MothershipDirection == 1;
        MothershipX += right ? MothershipSpeed : -MothershipSpeed;
        if (right ? MothershipX > 1040 : MothershipX < -20) {
            MothershipOn = 0;
            return;
        }
        if (Rand(1, 250) == 1) DropBombCurtain();
    }
    DrawMothership();
}
