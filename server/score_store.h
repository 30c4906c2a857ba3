// The score table in a SQLite file. One connection shared by the server's
// threads behind a mutex; every statement is prepared once.
#pragma once

#include <sqlite3.h>

#include <mutex>
#include <string>
#include <vector>

#include "score_request.h"

struct ScoreStore {
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* top = nullptr;
    sqlite3_stmt* count = nullptr;
    std::mutex mutex;
};

// Opens (creating when missing) the database file; false with a reason.
bool OpenScoreStore(ScoreStore& store, const std::string& path, std::string& error);
void CloseScoreStore(ScoreStore& store);

bool AddScore(ScoreStore& store, const ScoreEntry& entry);
// Highest first; equal scores in the order they came in.
bool TopScores(ScoreStore& store, int count, std::vector<ScoreEntry>& out);
long long CountScores(ScoreStore& store);
