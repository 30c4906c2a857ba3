#include "arcade/level_select.h"

#include <cstdio>

#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"

namespace {

void GlowLine(float x1, float y1, float x2, float y2, uint32_t colour) {
    TPoly::Line(GlowImage, 0, x1 + float(OffsetX), y1 + float(OffsetY), colour, x2 + float(OffsetX),
                y2 + float(OffsetY), colour, float(LineWidth24));
}

void DrawGrid(int cursor) {
    DrawVectorText("Select level", 3.7f, 1, 0xFFFF2020, 0, 2, 2, 0);
    GlowLine(0, 730, 1023, 730, 0xFF00FF00);
    for (int i = 1; i <= 32; ++i) GlowLine(float(32 * i), 730, float(32 * (i - 1)), 767, 0xFF004000);
    DrawVectorText("use left/right to chose and fire to select", 7, 41.25f, 0xFFFFFF00, 0, 0.65f, 0.65f, 0);
    for (int n = 1; n <= 100; ++n) {
        const int row = (n - 1) / 10, column = (n - 1) % 10;
        const float x = float(112 + 80 * column), y = float(140 + 50 * row);
        GlowLine(x, y, x + 80, y, 0xFF004000);
        GlowLine(x, y, x, y + 50, 0xFF004000);
        char number[8];
        std::snprintf(number, sizeof number, "%03d", n);
        DrawVectorText(number, 7.3f + 4.4f * float(column), 9.1f + 2.75f * float(row),
                       n <= HighestLevel ? 0xFF40C040 : 0xFFC04040, 0, 0.65f, 0.65f, 0);
    }
    GlowLine(112, 640, 912, 640, 0xFF004000);
    GlowLine(912, 640, 912, 140, 0xFF004000);
    const int row = (cursor - 1) / 10, column = (cursor - 1) % 10;
    const float x = float(112 + 80 * column), y = float(140 + 50 * row);
    GlowLine(x, y, x + 80, y, 0xFFFF4000);
    GlowLine(x + 80, y, x + 80, y + 50, 0xFFFF4000);
    GlowLine(x + 80, y + 50, x, y + 50, 0xFFFF4000);
    GlowLine(x, y + 50, x, y, 0xFFFF4000);
}

}  // namespace

void SelectLevel() {
    WavesSpawned = 10000;
    // A damaged settings file must not put the cursor off the grid.
    if (HighestLevel > 100) HighestLevel = 100;
    if (HighestLevel < 1) HighestLevel = 1;
    int cursor = HighestLevel;
    int repeatDelay = 0;
    PlaySfx("LevelDone");
    while (WavesSpawned != 1) {
        BeginScreenFrame();
        TPoly::_Begin();
        DrawGrid(cursor);
        if ((KeyDown(KeyLeft) || KeyDown(VkLeft) || KeyDown(VkUp) || PadLeftHeld()) && repeatDelay == 0 && cursor > 1) {
            PlaySfx("Walk1");
            cursor--;
            repeatDelay = 4;
        }
        if ((KeyDown(KeyRight) || KeyDown(VkRight) || KeyDown(VkDown) || PadRightHeld()) && repeatDelay == 0 && cursor < HighestLevel) {
            PlaySfx("Walk1");
            cursor++;
            repeatDelay = 4;
        }
        if (KeyHit(KeyFire) + KeyHit(VkEscape) + KeyHit(VkReturn) + PadAcceptHit() + PadBackHit() > 0) {
            WavesSpawned = 1;
            Level = cursor;
        }
        if (repeatDelay > 0) repeatDelay--;
        TPoly::_End();
        ShowFrame();
    }
    PlaySfx("pubeamweapon");
    StartLevel = Level;
}
