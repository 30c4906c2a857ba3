// The saved settings, their first-run values, and the repair of values that
// a damaged or hand-edited file may have put into them.
#include <algorithm>
#include <string>

#include "game/settings.h"

namespace {

constexpr int DefaultKeyLeft = 37;     // cursor left
constexpr int DefaultKeyRight = 39;    // cursor right
constexpr int DefaultKeyFire = 162;    // left Control
constexpr int DefaultKeyShield = 164;  // left Alt
const char* const DefaultPlayerName = "Player1";

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A switch the screens flip with 1 - value must be 0 or 1, or it would
// never come back on (or off) again.
void MendSwitch(int& value, int fallback) {
    if (value != 0 && value != 1) value = fallback;
}

// Key codes index the key tables; 0 and 255 are no keys at all.
void MendKey(int& value, int fallback) {
    if (value < 1 || value > 254) value = fallback;
}

void CapLength(std::string& text, size_t most) {
    if (text.size() > most) text.resize(most);
}

}  // namespace

const ScreenMode ScreenModes[ScreenModeCount] = {
    {1024, 768, 0, 0},
    {1280, 1024, 128, 128},
    {1440, 900, 208, 66},
    {1680, 1050, 328, 141},
};

int FullScreen = 0;
int BackgroundOn = 1;
int KeyLeft = DefaultKeyLeft;
int KeyRight = DefaultKeyRight;
int KeyFire = DefaultKeyFire;
int KeyShield = DefaultKeyShield;
int JoystickOn = 0;
int HighestLevel = 1;
int ClassicUnlocked = 0;
int ScreenWidth = 1024;
int ScreenHeight = 768;
int OffsetX = 0;
int OffsetY = 0;
int OffsetYCopy = 0;
int SoundOn = 1;
int MusicOn = 1;
int GlowAmount = 0;
int OnlineScoreCount = 0;
std::string PlayerName = DefaultPlayerName;
std::string SpareText = " ";
ScoreRow OnlineScores[ScoreTableRows];
ScoreRow LocalScores[ScoreTableRows];

namespace {
// The tables are defined above in this file, so they exist by now.
const bool TablesFilledAtStart = (FillDefaultScoreTables(), true);
}  // namespace

void FillDefaultScoreTables() {
    for (int i = 0; i < ScoreTableRows; ++i) {
        OnlineScores[i] = ScoreRow{"varnok", "1", "001-001", " "};
        LocalScores[i] = ScoreRow{"Varnok" + TwoDigits(i + 1), std::to_string(25000 - 1000 * i),
                                  std::to_string(25 - i), " "};
    }
    // The extra row is never saved or listed; it starts blank.
    OnlineScores[SavedScoreRows] = ScoreRow{"", "", "", " "};
    LocalScores[SavedScoreRows] = ScoreRow{"", "", "", " "};
}

void SetDefaultSettings() {
    FullScreen = 0;
    BackgroundOn = 1;
    TopScore = 0;
    Score = 0;
    BestScore = 0;
    KeyLeft = DefaultKeyLeft;
    KeyRight = DefaultKeyRight;
    KeyFire = DefaultKeyFire;
    KeyShield = DefaultKeyShield;
    JoystickOn = 0;
    HighestLevel = 1;
    ClassicUnlocked = 0;
    ScreenWidth = 1024;
    ScreenHeight = 768;
    OffsetX = 0;
    OffsetY = 0;
    OffsetYCopy = 0;
    SoundOn = 1;
    MusicOn = 1;
    GlowAmount = 0;
    OnlineScoreCount = 0;
    PlayerName = DefaultPlayerName;
    SpareText = " ";
    FillDefaultScoreTables();
}

void MendSettings() {
    MendSwitch(FullScreen, 0);
    MendSwitch(BackgroundOn, 1);
    MendSwitch(JoystickOn, 0);
    MendSwitch(ClassicUnlocked, 0);
    MendSwitch(SoundOn, 1);
    MendSwitch(MusicOn, 1);
    TopScore = std::max(TopScore, 0);
    MendKey(KeyLeft, DefaultKeyLeft);
    MendKey(KeyRight, DefaultKeyRight);
    MendKey(KeyFire, DefaultKeyFire);
    MendKey(KeyShield, DefaultKeyShield);
    HighestLevel = std::clamp(HighestLevel, 1, 100);
    GlowAmount = std::clamp(GlowAmount, -2, 2);
    OnlineScoreCount = std::clamp(OnlineScoreCount, -1, SavedScoreRows);
    CapLength(PlayerName, MaxPlayerNameLength);
    CapLength(SpareText, MaxSettingsLineLength);
    for (ScoreRow* table : {OnlineScores, LocalScores}) {
        for (int i = 0; i < ScoreTableRows; ++i) {
            CapLength(table[i].name, MaxSettingsLineLength);
            CapLength(table[i].score, MaxSettingsLineLength);
            CapLength(table[i].level, MaxSettingsLineLength);
            CapLength(table[i].spare, MaxSettingsLineLength);
        }
    }
}
