// The highscore screen and the local score table.
#pragma once

#include <string>

// Runs the screen until the player leaves it; syncNow = 1 syncs at once.
int ShowHighscores(int syncNow);

void DrawTableLine(float x1, float y1, float x2, float y2, uint32_t colour);

// One line of a score list as shown: "02).   Varnok02       24000    Level: 24".
std::string ScoreListLine(int row, const std::string& name, const std::string& score, const std::string& level,
                          bool online);
