#include "combat/invaders.h"
#include "common/random.h"
#include "effects/vector_font.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "options/options_screen.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"

namespace {

const char* GlowName(int amount) {
    switch (amount) {
        case -2: return "Glow amount: minimal";
        case -1: return "Glow amount: below average";
        case 1: return "Glow amount: above average";
        case 2: return "Glow amount: maximum amount";
        default: return "Glow amount: normal";
    }
}

// One step of the glow setting, with the alternating walk sound.
void StepGlow(int delta, int& soundToggle) {
    PlaySfx(soundToggle == 0 ? "Walk1" : "Walk2");
    GlowAmount += delta;
    soundToggle ^= 1;
    ApplyGlowAmount();
}

}  // namespace

void DrawGlowPreview(int xStart) {
    int n = 0;
    for (const Enemies& e : EnemiesList) {
        const float x = float(OffsetX + 512 + xStart + 40 * n), y = float(OffsetY + 386);
        const int shape = 2 * e.Frame - 1 + e.FramePlus;
        const int angle = int(e.angle);
        if (shape > 0 && shape < InvaderShapeCount && angle >= 0 && angle <= 360) {
            const auto& slots = InvaderShapes[angle][shape];
            const int count = slots[0][0];
            for (int s = 0; s < count && s < InvaderShapeSlots; ++s) {
                const uint32_t colour = uint32_t(slots[s][1]);
                TPoly::Line(GlowImage, 0, x + float(slots[s][2]), y + float(slots[s][3]), colour, x + float(slots[s][4]),
                            y + float(slots[s][5]), colour, float(LineWidth20));
            }
        }
        ++n;
    }
}

int AdjustGlow() {
    Blip();
    EnemiesList.clear();
    for (int i = 0; i < 20; ++i) {
        Enemies e;
        e.angle = 0;
        e.radius = 100;
        e.Frame = Rand(1, 5);
        e.FramePlus = 0;
        EnemiesList.push_back(e);
    }
    float rotation = 0;
    int soundToggle = 0;
    FlushKeys();
    for (;;) {
        BeginScreenFrame();
        TPoly::_Begin();
        DrawVectorText("set glow", 2.5f, 2, 0xFF80FF40, 0, 3, 1, 0);
        DrawVectorText("use arrows to adjust glow and fire to exit.", 2.5f, 35.5f, 0xFF00FFFF, 0, 0.75f, 0.75f, 0);
        DrawCentredTextRow("The amount of glow shown can depend on", -12);
        DrawCentredTextRow("you monitor, as they are all different.", -11);
        DrawCentredTextRow("Use this to adjust the amount of glow", -9);
        DrawCentredTextRow("if you think it needs more or less.", -8);
        for (int k = -2; k <= 2; ++k) {
            rotation += 0.5f;
            if (rotation > 359) rotation -= 360;
            DrawGlowPolygon(float(512 + 180 * k), 512, int(rotation), 8, 48, k == GlowAmount ? 0xFFFFFF00 : 0xFF009090);
        }
        DrawCentredTextRow(GlowName(GlowAmount), 4);
        const int lower = KeyHit(KeyLeft) + KeyHit(VkLeft) + KeyHit(VkUp) + PadLeftHit() + PadUpHit();
        const int raise = KeyHit(KeyRight) + KeyHit(VkRight) + KeyHit(VkDown) + PadRightHit() + PadDownHit();
        if (lower > 0 && GlowAmount > -2) StepGlow(-1, soundToggle);
        if (raise > 0 && GlowAmount < 2) StepGlow(+1, soundToggle);
        DrawGlowPreview(-380);
        TPoly::_End();
        ShowFrame();
        if (KeyHit(KeyFire) + KeyHit(VkEscape) + KeyHit(VkReturn) + PadAcceptHit() + PadBackHit() > 0) {
            ApplyGlowAmount();
            EnemiesList.clear();
            Blip();
            return 0;
        }
    }
}
