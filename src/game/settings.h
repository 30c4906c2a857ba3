// Everything the game keeps between runs, and the file that keeps it.
//
// The globals hold their first-run values from program start, so a run that
// never reads the file still has a playable set. LoadSettings replaces them
// from "OrbivoreSettings.dat" in the working directory; SaveSettings writes
// them back at the orderly end.
#pragma once

#include <cstddef>
#include <string>

#include "game/game_state.h"  // TopScore is saved with the settings

// One row of a score table; every column is text, scores in decimal.
struct ScoreRow {
    std::string name;
    std::string score;
    std::string level;
    std::string spare;  // always " " in practice, carried through unchanged
};

// The four display sizes offered, each with the play area centred on it.
struct ScreenMode {
    int width;
    int height;
    int offsetX;
    int offsetY;
};
constexpr int ScreenModeCount = 4;
extern const ScreenMode ScreenModes[ScreenModeCount];

// Both tables hold one row more than is saved: the download may fill it.
constexpr int ScoreTableRows = 26;
constexpr int SavedScoreRows = 25;

// The longest texts the file gives back: the name entry stops at ten
// characters, and nothing the game writes into a table is longer than 32.
constexpr size_t MaxPlayerNameLength = 10;
constexpr size_t MaxSettingsLineLength = 32;

extern int FullScreen;    // 0 window, 1 full screen
extern int BackgroundOn;  // 1: the backdrop picture is drawn
extern int KeyLeft;       // virtual key codes
extern int KeyRight;
extern int KeyFire;
extern int KeyShield;
extern int JoystickOn;       // the pad counts; the options or its first press switch it on
extern int HighestLevel;     // 1..100, limits the level select
extern int ClassicUnlocked;  // 1 once all 100 levels were completed
extern int ScreenWidth;
extern int ScreenHeight;
extern int OffsetX;  // top-left corner of the 1024x768 play area on the display
extern int OffsetY;
extern int OffsetYCopy;  // kept in the file beside OffsetY, otherwise unused
extern int SoundOn;
extern int MusicOn;
extern int GlowAmount;        // -2 minimal .. 2 maximum, 0 normal
extern int OnlineScoreCount;  // rows of OnlineScores from the last download, minus one
extern std::string PlayerName;
extern std::string SpareText;  // kept in the file, otherwise unused
extern ScoreRow OnlineScores[ScoreTableRows];
extern ScoreRow LocalScores[ScoreTableRows];

extern const char* const SettingsFileName;  // "OrbivoreSettings.dat"

// Every saved setting, Score, BestScore and TopScore, and both score tables
// back to their first-run values.
void SetDefaultSettings();
void FillDefaultScoreTables();

// Brings values no valid file holds back into range (see settings_file.cpp).
void MendSettings();

// What reading the file found. Only a file that does not exist counts as
// missing; one that exists but cannot be read (no permission, a folder, a
// read error) gives the defaults, a line on standard error, and is not
// overwritten at the end of the run.
enum class SettingsFileState { Read, Missing, Unreadable };

// Reads the settings file; a missing or unreadable file leaves the defaults.
void LoadSettings();
// Writes it through a temporary file beside it; false (and a line on
// standard error) when it could not be written, the old file then stays.
// A write-protected file is left alone, and so is one LoadSettings could not
// read (false, without another line).
bool SaveSettings();

// Whether this run writes the file whenever something worth keeping
// happened, not only at its orderly end: off until start-up has read the
// file, and in runs that never save it.
void SaveSettingsAsItGoes(bool on);
// Called when a game's score went into the local table, a level completed
// raised HighestLevel, and the options are left: a crash or a killed session
// then loses nothing from before. Writes the file the same safe way as the
// orderly end, when this run saves as it goes.
void SaveProgress();

// The same two on any path, and the file's contents as bytes.
SettingsFileState LoadSettingsFile(const std::string& path);
bool SaveSettingsFile(const std::string& path);
// Defaults first, then whatever the bytes hold, then MendSettings. A file
// that ends among the numbers keeps the defaults for everything after its
// end; one that ends among the texts gives empty texts from there on.
void LoadSettingsFromBytes(const std::string& bytes);
std::string SettingsBytes();
