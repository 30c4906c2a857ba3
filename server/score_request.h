// Reading one score-server request: the script name and the raw query of
// the URL, whose only parameter is the enciphered real query. Pure, so a
// fuzzer can feed it anything.
#pragma once

#include <cstdint>
#include <string>

enum class ScoreAction { AddScore, GetScores, GetVersion };

struct ScoreEntry {
    std::string name;
    std::string level;
    int64_t score = 0;
    std::string date;
    std::string version;
};

struct ScoreRequest {
    bool valid = false;
    std::string error;
    ScoreAction action = ScoreAction::GetScores;
    ScoreEntry entry;  // AddScore
    int count = 0;     // GetScores
};

constexpr size_t MaxQueryLength = 2048;
constexpr int MaxScoresListed = 100;
constexpr int DefaultScoresListed = 25;
constexpr size_t MaxNameLength = 20;

// A name as the game uploads it: 8-bit (Latin-1) text of 1 to 20 bytes,
// no control characters, not only spaces. The game types 32 and 48 to 90;
// a name from a settings file may hold any other printable character.
bool IsAcceptedName(const std::string& name);

// script: the file name after "/scores/" ("orbivore_win.php",
// "VersionCheck.php"); query: everything after the "?", undecoded.
ScoreRequest ParseScoreRequest(const std::string& script, const std::string& query, const std::string& key);
