// Where the scores live: one interface, a back-end per database kind. Every
// back-end stores an entry (name, level text, score, date) at most once, so
// several servers on one database keep one row per upload, and lists the
// best first, equal scores in the order they came in.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "score_request.h"

enum class StoreOutcome { Stored, AlreadyStored, Unavailable };

struct ScoreStore {
    virtual ~ScoreStore() = default;
    virtual StoreOutcome Add(const ScoreEntry& entry) = 0;
    // False when the database cannot be reached right now.
    virtual bool Top(int count, std::vector<ScoreEntry>& out) = 0;
    // -1 when the database cannot be reached.
    virtual long long Count() = 0;
};

// "postgresql://..." or "postgres://..." opens PostgreSQL (through a pool of
// `connections`); anything else is a SQLite file, created when missing. The
// schema is created or brought up to date here. Null with a reason.
std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& database, int connections, std::string& error);
