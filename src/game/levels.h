// The 100 arcade levels: the table of level rows read from
// data/levels/levels.txt at start-up, and the level parameters a row sets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

constexpr int LevelTotal = 100;

// One special setting of a row: a named level parameter and its value.
struct LevelSetting {
    std::string name;
    float value = 0;
};

struct LevelRow {
    std::string Title;
    std::string SecondLine;  // empty when the level has none
    int HitPoints[5] = {};   // kinds 1 to 5
    int Waves = 0;
    int PickupKind = 0;
    int Carriers = 0;
    std::vector<LevelSetting> Specials;
};

// Indexed by level number 1..100; row 0 stays empty.
extern LevelRow LevelTable[LevelTotal + 1];

// Level parameters a row sets (besides the shared ones of game_state.h).
extern int InvaderHp[6];  // starting HitPoints of kinds 1..5; [0] unused
extern int LevelPickupKind;
extern int PickupCarriers;

// Reads the table text into rows. Returns "" when all 100 levels are there
// once each, in order, with known special settings, else "line N: what".
std::string ParseLevelTable(std::string_view text, LevelRow (&rows)[LevelTotal + 1]);

// Start-up: fills LevelTable from the built-in table; a damaged table is a
// build fault and ends the program.
void LoadLevelTable();

// The values every level starts from, before its own row.
void ApplyLevelDefaults(int level);

// Level's row on top of the defaults: hit points, waves, pickups, specials.
// A level outside 1..100 changes nothing.
void ApplyLevelRow(int level);

// The level number as the title screen shows it: "07", "42", "100".
std::string LevelNumberText(int level);

// The player's name as the title screen shows it: followed by "....", then
// padded with a space at each end until it is at least 13 characters long.
std::string TitleNameLine(const std::string& playerName);
