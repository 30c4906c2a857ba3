// The screens that close a level: the completed animation, the saucer and
// time-bonus results, and the notice that classic mode is open.
#include <cmath>
#include <string>

#include "arcade/level_progress.h"
#include "combat/base.h"
#include "combat/invaders.h"
#include "common/maths.h"
#include "effects/central_pictures.h"
#include "effects/flying_text.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/key_names.h"
#include "ui/pad.h"
#include "ui/screen.h"

VectorPicture LevelCompletePicture;

namespace {

// A result screen may be closed by a key after a second, and closes itself.
bool ResultScreenDone(int frames, int longest) {
    return (LastKeyHit >= 1 && LastKeyHit <= 254 && frames > 60) || frames > longest;
}

void BeginResultFrame() {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawTitleLogo(0, 8, 0, 1);
}

void DrawCompletedScene() {
    DrawGlowPolygon(512, 384, 0, 36, EarthRadius, 0xFF40FFFF);
    if (BossLevel == 0) DrawLandmass();
    if (BossLevel == 1 && BossDeathPhase < 2) DrawOverlord(-Cos(float(BossPulse * 32)));
    DrawBase(BaseAngle, 0);
    if (PowerupKind == 3) DrawBase(float(TruncToInt(std::fmod(BaseAngle + 180, 360.0f))), 1);
}

}  // namespace

void LoadLevelCompletePicture() { LevelCompletePicture = LoadVectorPicture("pictures/level_complete.txt"); }

void DrawLevelCompletePicture(float slide, float lift) {
    const float cx = 512 + float(OffsetX), cy = 386 + float(OffsetY);
    for (const PictureSegment& s : LevelCompletePicture.segments) {
        float dx = 0, dy = 0;
        if (s.colour == LevelCompleteUpper) dx = slide, dy = -lift;
        else if (s.colour == LevelCompleteLower) dx = -slide, dy = lift;
        else continue;
        TPoly::Line(GlowImage, 0, cx + dx + float(s.x1), cy + dy + float(s.y1), s.colour, cx + dx + float(s.x2),
                    cy + dy + float(s.y2), s.colour, float(LineWidth24));
    }
}

void RunLevelCompletedAnimation() {
    PlaySfx("LevelCompleted");
    float slide = 510, lift = 0, logoY = -386;
    // The Earth swells until it fills the screen; the halves of the picture
    // meet in the middle, then part upwards and downwards.
    do {
        BeginScreenFrame();
        TPoly::_Begin();
        DrawCompletedScene();
        UpdateFlyingTexts(1);
        DrawLevelCompletePicture(slide, lift);
        if (slide > 0) slide -= 6;
        if (slide <= 0) lift += 6;
        if (EarthRadius < 1000) EarthRadius += 6;
        if (EarthRadius > 500) {
            DrawTitleLogo(0, TruncToInt(logoY), 0, 1);
            if (logoY < 0) logoY += 8;
        }
        TPoly::_End();
        ShowFrame();
    } while (EarthRadius < 1000);
}

void ShowSaucerResult() {
    IntroFrames = 0;
    do {
        BeginResultFrame();
        DrawVectorText("congratulations", 120, 500, 0xFFFF4040, 0, 2, 2, 1);
        DrawVectorText("- you survived the ufo attack", 100, 600, 0xFF40FF40, 0, 1, 1, 1);
        DrawVectorText("you got " + std::to_string(SaucersShot) + "/10 of them.", 240, 670, 0xFFFFFFFF, 0, 1, 1, 1);
        DrawVectorText("and earned yourself " + std::to_string(SaucerLivesEarned) + " extra lives.", 60, 720,
                       0xFFFFFFFF, 0, 1, 1, 1);
        TPoly::_End();
        ShowFrame();
        ScanKeys();
        IntroFrames += 1;
    } while (!ResultScreenDone(IntroFrames, 400));
    EnemiesList.clear();
}

void ShowTimeBonusResult() {
    IntroFrames = 0;
    // 600 counts to a unit of 100 points, rounded up from a tenth of a unit.
    if (TimeBonus > 0) TimeBonus = (TimeBonus + 60) / 600;
    do {
        BeginResultFrame();
        if (TimeBonus > 0) {
            DrawVectorText(" congratulations!", 3, 18, 0xFFFF0000, 0, 1, 1, 0);
            DrawVectorText("you managed", 21, 18, 0xFFFFFF00, 0, 1, 1, 0);
            DrawVectorText("to complete with time to spare", 3, 20, 0xFFFFFF00, 0, 1, 1, 0);
            DrawVectorText("  you get " + std::to_string(TimeBonus) + "*100 in bonus!!", 3, 22, 0xFFFFFF00, 0, 1, 1,
                           0);
        } else {
            DrawVectorText(" congratulations on getting ", 3, 18, 0xFFFFFF00, 0, 1, 1, 0);
            DrawVectorText("though this difficult task!!", 3, 20, 0xFFFFFF00, 0, 1, 1, 0);
            DrawVectorText("not quite fast enough though.", 3, 22, 0xFFFFFF00, 0, 1, 1, 0);
        }
        const bool blinkOff = (IntroFrames / 20) % 2 == 0;
        if (blinkOff) DrawVectorText("well done commander!", 9, 25.5f, 0xFF00FFFF, 0, 1, 1, 0);
        if (IntroFrames % 40 == 0) PlaySfx("PlinkSND");
        TPoly::_End();
        ScanKeys();
        IntroFrames += 1;
        ShowFrame();
    } while (!ResultScreenDone(IntroFrames, 300));
    Score += TimeBonus * 100;
}

void ShowUnlockNotice() {
    // Shown once, then held until one of the three keys is hit; all three
    // are asked each time so that none stays pending for the next screen.
    bool done = false;
    do {
        BeginScreenFrame();
        TPoly::_Begin();
        DrawCentredTextRow("Congratulations!", -8);
        DrawCentredTextRow("classic mode", -5);
        DrawCentredTextRow("is now unlocked.", -3);
        DrawCentredTextRow("press FIRE to continue", 0);
        TPoly::_End();
        ShowFrame();
        const int fire = KeyHit(KeyFire), escape = KeyHit(VkEscape), enter = KeyHit(VkReturn);
        done = fire + escape + enter + PadAcceptHit() + PadBackHit() > 0;
    } while (!done);
}
