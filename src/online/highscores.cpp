#include "online/highscores.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "audio/sound.h"
#include "effects/vector_font.h"
#include "game/game_state.h"
#include "game/local_scores.h"
#include "game/settings.h"
#include "glow/glow.h"
#include "online/score_sync.h"
#include "platform/platform.h"
#include "ui/pad.h"
#include "ui/screen.h"

namespace {

constexpr uint32_t OwnRowColour = 0xFFFFC000;  // (255, 192, 0)

std::string EightDigits(int n) {
    char text[24];
    std::snprintf(text, sizeof text, "%08d", n);
    return text;
}

std::string WithoutSpaces(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c;
    return out;
}

void DrawLists(int blink) {
    const std::string last = std::to_string(LastScore);
    for (int r = 1; r <= 24; ++r) {
        const float y = float(OffsetY + 270 + 16 * r);
        const ScoreRow& local = LocalScores[r];
        const bool ownLocal = WithoutSpaces(local.score) == last;
        if (!ownLocal || blink > 14)
            DrawPlainText(ScoreListLine(r, local.name, local.score, local.level, false), float(OffsetX + 80), y,
                          ownLocal ? OwnRowColour : 0xFFFFFFFF);
        const ScoreRow& online = OnlineScores[r];
        const bool ownOnline = WithoutSpaces(online.score) == last;
        if (ownOnline ? blink > 14 : r < OnlineScoreCount)
            DrawPlainText(ScoreListLine(r, online.name, online.score, online.level, true), float(OffsetX + 570), y,
                          ownOnline ? OwnRowColour : 0xFFFFFFFF);
    }
}

void DrawScreen(const std::string& lastText, const std::string& topText, int blink) {
    BeginScreenFrame();
    TPoly::_Begin();
    DrawTableLine(512, 230, 512, 699, 0xFFFF00FF);
    DrawTableLine(32, 230, 992, 230, 0xFFFF00FF);
    DrawTableLine(32, 698, 992, 698, 0xFFFF00FF);
    DrawWideText("highscores", 1.5f, 2, 0xFF80FF40, 0, 3, 1, 0);
    DrawVectorText("last score achieved    : " + lastText, 2, 5.5f, 0xFFFFFFFF, 0, 1, 1, 0);
    DrawVectorText("highscore:             : " + topText, 2, 7, 0xFFFFFFFF, 0, 1, 1, 0);
    DrawVectorText(" online scores - press firekey to sync them", 2.25f, 34.25f, 0xFF00FFFF, 0, 0.75f, 0.75f, 0);
    DrawVectorText("or press        to return to the main menu.", 2.5f, 35.5f, 0xFF00FFFF, 0, 0.75f, 0.75f, 0);
    DrawVectorText("         escape", 2.5f, 35.5f, 0xFFFF4F70, 0, 0.75f, 0.75f, 0);
    DrawVectorText("  local scores     online scores", 2, 9, 0xFFFF0000, 0, 1, 1, 0);
    TPoly::_End();
    DrawLists(blink);
    ShowFrame();
}

}  // namespace

std::string ScoreListLine(int row, const std::string& name, const std::string& score, const std::string& level,
                          bool online) {
    char label[8];
    std::snprintf(label, sizeof label, "%2d", row);
    std::string n = name.substr(0, 10);
    n.resize(10, ' ');
    for (size_t i = 0; i < n.size(); ++i)
        n[i] = char(i == 0 ? std::toupper(static_cast<unsigned char>(n[i])) : std::tolower(static_cast<unsigned char>(n[i])));
    // Right-aligned, and never more than its last ten characters: the online
    // column is one wider, so a space always parts a long score from the name.
    const size_t width = online ? 11 : 10;
    const std::string digits = score.size() > 10 ? score.substr(score.size() - 10) : score;
    const std::string s = std::string(width - digits.size(), ' ') + digits;
    return std::string(label) + ").  " + " " + n + s + (online ? "    Levels: " : "    Level: ") + level;
}

void DrawTableLine(float x1, float y1, float x2, float y2, uint32_t colour) {
    TPoly::Line(GlowImage, 0, x1 + float(OffsetX), y1 + float(OffsetY), colour, x2 + float(OffsetX),
                y2 + float(OffsetY), colour, float(LineWidth16));
}

int ShowHighscores(int syncNow) {
    const std::string lastText = EightDigits(LastScore);
    const std::string topText = EightDigits(TopScore);
    FlushKeys();
    int blink = 0, shown = 0;
    bool leave = false, sync = syncNow == 1;
    for (;;) {
        DrawScreen(lastText, topText, blink);
        blink = (blink + 1) % 30;
        if (KeyHit(VkEscape) + PadBackHit() > 0) leave = true;
        // Fire uploads the last score; a press still meant for the menu
        // behind must not, nor skip the list the player came to read.
        const bool fire = KeyHit(KeyFire) + PadFireHit() > 0;
        if (fire && shown >= ResultLockFrames) sync = true;
        if (shown < ResultLockFrames) ++shown;
        if (sync) {
            sync = false;
            for (int r = 0; r < 25; ++r) OnlineScores[r].name = OnlineScores[r].level = OnlineScores[r].score = " ";
            Blip();
            // A sync the player stopped asks nothing more of the server.
            if (SyncScores()) CheckVersion();
            FlushKeys();
            Score = 0;
        }
        if (leave || KeyHit(VkEscape)) {
            FlushKeys();
            Blip();
            return 0;
        }
    }
}
