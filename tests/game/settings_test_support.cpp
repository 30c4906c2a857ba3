#include "game/settings_test_support.h"

#include <cstdint>

#include "game/game_state.h"
#include "game/settings.h"

namespace {
std::string Line(const std::string& text) { return text + "\r\n"; }
}  // namespace

std::string Int32(int value) {
    const auto v = uint32_t(value);
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}

std::string FirstRunFile() {
    std::string f;
    for (int v : {0, 1, 0, 37, 39, 162, 164, 0, 0}) f += Int32(v);
    f += '\x01';
    f += '\x00';
    for (int v : {1024, 768, 0, 0, 0, 1, 1, 0, 0}) f += Int32(v);
    f += Line("Player1") + Line(" ");
    for (int i = 0; i < 25; ++i) f += Line("varnok") + Line("1") + Line("001-001") + Line(" ");
    const char* const names[] = {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12", "13",
                                 "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25"};
    for (int i = 0; i < 25; ++i)
        f += Line(std::string("Varnok") + names[i]) + Line(std::to_string(25000 - 1000 * i)) +
             Line(std::to_string(25 - i)) + Line(" ");
    f += "\r\n\r\n";
    f += "Don't bother trying to changing any\r\nof these values, because they're not\r\n"
         "synced with the online server - only\r\nthe latest in-game score is synced.\r\n";
    return f;
}

void SetUnusualSettings() {
    FullScreen = 1;
    BackgroundOn = 0;
    TopScore = 123456;
    KeyLeft = 65;
    KeyRight = 68;
    KeyFire = 32;
    KeyShield = 254;
    JoystickOn = 1;
    HighestLevel = 100;
    ClassicUnlocked = 1;
    ScreenWidth = 1440;
    ScreenHeight = 900;
    OffsetX = 208;
    OffsetY = 66;
    OffsetYCopy = 7;
    SoundOn = 0;
    MusicOn = 0;
    GlowAmount = -2;
    OnlineScoreCount = 25;
    PlayerName = "\xE9\xFFme 9";
    SpareText = "kept";
    for (int i = 0; i < 25; ++i) {
        const std::string n = std::to_string(i);
        OnlineScores[i] = ScoreRow{"Zed" + n, "9" + n, "CLA-0" + n, "y" + n};
        LocalScores[i] = ScoreRow{"Loc" + n, n, "002-0" + n, "x" + n};
    }
}
