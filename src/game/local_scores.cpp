#include "game/local_scores.h"

#include <cstdlib>

#include "game/game_state.h"
#include "game/settings.h"

int LastGameMode = 0;
std::string LastLevelText;

namespace {

std::string ThreeDigits(int n) {
    std::string s = std::to_string(n < 0 ? -n : n);
    if (s.size() > 3) s = s.substr(s.size() - 3);
    return std::string(3 - s.size(), '0') + s;
}

}  // namespace

std::string MakeLevelText(int gameMode, int startLevel, int lastLevel) {
    if (gameMode == 1) return "CLA-" + ThreeDigits(lastLevel);
    return ThreeDigits(startLevel) + "-" + ThreeDigits(lastLevel);
}

int ScoreValue(const std::string& text) {
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    return v > 2147483647LL ? 2147483647 : v < -2147483647LL ? -2147483647 : int(v);
}

void AddLocalScore(int score) {
    LastLevelText = MakeLevelText(LastGameMode, StartLevel, LastLevel);
    LastScore = Score;
    if (Score > TopScore) TopScore = Score;
    int at = -1;
    if (score > ScoreValue(LocalScores[0].score)) {
        at = 0;
    } else if (Score > ScoreValue(LocalScores[24].score)) {
        for (int i = 1; i <= 24 && at < 0; ++i)
            if (ScoreValue(LocalScores[i].score) < score) at = i;
    }
    if (at < 0) return;
    for (int r = 23; r >= at; --r) {
        LocalScores[r + 1].name = LocalScores[r].name;
        LocalScores[r + 1].score = LocalScores[r].score;
        LocalScores[r + 1].level = LocalScores[r].level;
    }
    LocalScores[at].name = PlayerName;
    LocalScores[at].score = std::to_string(score);
    LocalScores[at].level = LastLevelText;
}

void RecordGameResult(int levelReached) {
    LastScore = Score;
    LastLevel = levelReached;
    LastPlayerName = PlayerName;
    AddLocalScore(Score);
    if (Score > BestScore) BestScore = Score;
    if (BestScore > TopScore) TopScore = BestScore;
    ShowFps = 0;
    SaveProgress();
}
