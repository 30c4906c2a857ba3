#include "combat/game_over.h"

#include "common/maths.h"
#include "effects/central_pictures.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "glow/glow.h"
#include "platform/platform.h"
#include "ui/key_names.h"

int StatShotsFired = 0;
int StatKilledByBullets = 0;
int StatKilledByBeam = 0;
int StatShotsShot = 0;
int StatKilledByOwnShots = 0;
int StatUfosShot = 0;
int StatPickupsDropped = 0;
int StatPickupsCaught = 0;
float StatsRow = 0;
float StatsRowStep = 0;

namespace {

// Frames before a key may end the screen: presses made while the last
// life was being lost must not skip it.
constexpr int GameOverLockFrames = 90;

}  // namespace

void ResetGameStats() {
    StatShotsFired = 0;
    StatKilledByBullets = 0;
    StatKilledByBeam = 0;
    StatShotsShot = 0;
    StatKilledByOwnShots = 0;
    StatUfosShot = 0;
    StatPickupsDropped = 0;
    StatPickupsCaught = 0;
}

int HitAccuracy() {
    // With no shot fired the quotient is not a number or infinite, and no
    // int can hold it: there is no figure to show.
    if (StatShotsFired <= 0) return 0;
    const int hits = StatKilledByBullets + StatKilledByBeam + StatShotsShot + StatUfosShot;
    const float percent = float(hits) / float(StatShotsFired) * 100.0f;
    return TruncToInt(percent);
}

std::string HitAccuracyText() {
    const int a = HitAccuracy();
    if (a > 0) return "Hit accuracy: " + std::to_string(a) + ";";
    return "Hit accuracy: not available";
}

std::string SevenDigitScore(int score) {
    std::string digits = std::to_string(score < 0 ? 0 : score);
    if (digits.size() < 7) digits.insert(0, 7 - digits.size(), '0');
    return digits.substr(digits.size() - 7);
}

std::string PadStatsLine(std::string text) {
    do {
        text = " " + text + " ";
    } while (text.size() < 48);
    return text;
}

void StatsLine(const std::string& text) {
    DrawVectorText(PadStatsLine(text), 1, StatsRow, 0xFFC0A0FF, 0, 0.7f, 0.7f, 0);
    StatsRow += StatsRowStep;
}

void DrawGameStats() {
    DrawVectorText("game stats", 13, 7.5f, 0xFFDFA51B, 0, 1, 1, 0);
    StatsRow = 13.5f;
    StatsRowStep = 1.75f;
    StatsLine("Shots fired: " + std::to_string(StatShotsFired));
    StatsLine("Invaders killed with bullets: " + std::to_string(StatKilledByBullets));
    StatsLine("Invaders killed with beamweapon: " + std::to_string(StatKilledByBeam));
    StatsLine("Invader bullets shot: " + std::to_string(StatShotsShot));
    StatsLine("Invaders killed by own shots: " + std::to_string(StatKilledByOwnShots));
    StatsLine("Ufos shot down: " + std::to_string(StatUfosShot));
    StatsLine("Powerups caught: " + std::to_string(StatPickupsCaught) + " (of " + std::to_string(StatPickupsDropped) +
              ")");
    StatsRow += StatsRowStep;
    StatsLine(HitAccuracyText());
    DrawVectorText("press any key to continue", 6, 26.5f, 0xFFFFFFFF, 0, 1, 1, 0);
}

void DrawShortGameStats() {
    constexpr uint32_t Figures = 0xFF80FFC0;
    DrawVectorText("game stats", 13, 8, 0xFFDFA51B, 0, 1, 1, 0);
    DrawVectorText("Shots fired: " + std::to_string(StatShotsFired), 16, 14, Figures, 0, 0.75f, 0.75f, 0);
    DrawVectorText("Invaders killed: " + std::to_string(StatKilledByBullets), 14, 15.5f, Figures, 0, 0.75f, 0.75f, 0);
    DrawVectorText("Ufos shot down: " + std::to_string(StatUfosShot), 14.5f, 17, Figures, 0, 0.75f, 0.75f, 0);
    if (HitAccuracy() > 0)
        DrawVectorText(HitAccuracyText(), 9, 15.5f, 0xFFFFFF80, 0, 1, 1, 0);
    else
        DrawVectorText(HitAccuracyText(), 5, 15.5f, 0xFFFFFF80, 0, 1, 1, 0);
    DrawVectorText("press any key to continue", 6, 26.5f, 0xFFFFFFFF, 0, 1, 1, 0);
}

void ShowGameOver(int variant) {
    if (Lives != 0) return;
    FlushKeys();
    Delay(100);
    int frames = 0;
    float wobble = 0;
    do {
        ClearScreen();
        TPoly::_Begin();
        DrawMenuPicture(0, 128, 0);
        DrawVectorText("game over", 66, 120 + 10 * Sin(wobble), 0xFF00FFFF, 0, 4, 4, 1);
        DrawVectorText("score: " + SevenDigitScore(Score), 640, 24, 0xFFFF4040, 0, 1, 1, 1);
        wobble += 8;
        if (wobble > 359) wobble = 0;
        if (variant == 1)
            DrawShortGameStats();
        else
            DrawGameStats();
        TPoly::_End();
        ScanKeys();
        frames += 1;
        ShowFrame();
    } while (!(LastKeyHit > 0 && LastKeyHit < 255 && frames > GameOverLockFrames));
    GameOverState = 1;
}
