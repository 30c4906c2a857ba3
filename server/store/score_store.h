// Where the scores live: one interface, a back-end per database kind. Every
// back-end stores an entry (name, level text, score, date) at most once, so
// several servers on one database keep one row per upload. Every upload
// stays stored; the lists show each name once, with its best score, equal
// scores in the order they came in, and leave hidden names out.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "score_request.h"

enum class StoreOutcome { Stored, AlreadyStored, Unavailable };

// Which games a list ranks: all of them (the game's own list), arcade or
// classic (level text "CLA-...").
enum class BoardMode { Any = 0, Arcade = 1, Classic = 2 };

struct HiddenName {
    std::string name;   // game text
    std::string since;  // "YYYY-MM-DD HH:MM" UTC
};

struct ScoreStore {
    virtual ~ScoreStore() = default;
    virtual StoreOutcome Add(const ScoreEntry& entry) = 0;
    // Each name once, best first. False when the database cannot be
    // reached right now.
    virtual bool Top(int count, std::vector<ScoreEntry>& out, BoardMode mode = BoardMode::Any) = 0;
    // Stored uploads (rows, not players); -1 when the database cannot be reached.
    virtual long long Count() = 0;
    // A trivial query: whether the database answers.
    virtual bool Ping() = 0;
    // Hides or shows a name again; changed tells whether it was otherwise.
    // False when the database cannot be reached.
    virtual bool SetHidden(const std::string& name, bool hidden, bool& changed) = 0;
    virtual bool Hidden(std::vector<HiddenName>& out) = 0;
    // Connections made again after one was lost (0 for a file).
    virtual uint64_t Reconnects() const { return 0; }
};

// "postgresql://..." or "postgres://..." opens PostgreSQL (through a pool of
// `connections`); anything else is a SQLite file, created when missing
// unless mustExist (then it has to hold the scores already). The schema is
// created or brought up to date here. Null with a reason.
std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& database, int connections, std::string& error,
                                           bool mustExist = false);

bool IsPostgresqlUri(const std::string& database);
