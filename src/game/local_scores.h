// The local score table: where a finished game's score goes, in arcade and
// classic mode alike.
#pragma once

#include <string>

extern int LastGameMode;  // 0 arcade, 1 classic
extern std::string LastLevelText;

// The level text of the last game: "003-017" in arcade mode, "CLA-017" in classic.
std::string MakeLevelText(int gameMode, int startLevel, int lastLevel);

// Scores are texts from the file or the server; one too long for an int
// counts as the largest.
int ScoreValue(const std::string& text);

// Records a finished game (arcade or classic) in the local table.
void AddLocalScore(int score);

// The game-end bookkeeping both modes share: last score, level and name, the
// local table, best and top score; the FPS counter hidden again.
void RecordGameResult(int levelReached);
