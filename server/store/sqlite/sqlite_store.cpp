#include "sqlite_store.h"

#include <sqlite3.h>

#include <filesystem>
#include <mutex>

#include "game_text.h"

namespace {

// "best" holds each name's best upload for every list, kept by a trigger
// so that any writer (another server, a hand-made import) keeps it right;
// the top lists are then an index walk, however many uploads are stored.
const char* const Schema =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=NORMAL;"
    "CREATE TABLE IF NOT EXISTS scores ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " name TEXT NOT NULL, level TEXT NOT NULL, score INTEGER NOT NULL,"
    " date TEXT NOT NULL, version TEXT NOT NULL,"
    " received INTEGER NOT NULL DEFAULT (strftime('%s','now')));"
    "CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, id ASC);"
    "CREATE TABLE IF NOT EXISTS best ("
    " name TEXT NOT NULL, mode INTEGER NOT NULL, score INTEGER NOT NULL, id INTEGER NOT NULL,"
    " PRIMARY KEY (name, mode));"
    "CREATE INDEX IF NOT EXISTS best_rank ON best (mode, score DESC, id ASC);"
    "CREATE TABLE IF NOT EXISTS hidden ("
    " name TEXT PRIMARY KEY, since INTEGER NOT NULL DEFAULT (strftime('%s','now')));"
    "CREATE TRIGGER IF NOT EXISTS scores_best AFTER INSERT ON scores BEGIN"
    " INSERT INTO best (name, mode, score, id) VALUES (NEW.name, 0, NEW.score, NEW.id),"
    "  (NEW.name, CASE WHEN substr(NEW.level, 1, 4) = 'CLA-' THEN 2 ELSE 1 END, NEW.score, NEW.id)"
    " ON CONFLICT (name, mode) DO UPDATE SET score = excluded.score, id = excluded.id"
    "  WHERE excluded.score > best.score OR (excluded.score = best.score AND excluded.id < best.id);"
    " END;";

// Files written before repeated uploads were refused hold every copy; the
// first of each stays, then the unique index keeps it that way.
const char* const StoreOnce =
    "BEGIN IMMEDIATE;"
    "DELETE FROM scores WHERE id NOT IN (SELECT min(id) FROM scores GROUP BY name, level, score, date);"
    "CREATE UNIQUE INDEX IF NOT EXISTS scores_once ON scores (name, level, score, date);"
    "PRAGMA user_version=1;"
    "COMMIT;";

// Files written before one row per player list their uploads once in "best".
const char* const FillBest =
    "BEGIN IMMEDIATE;"
    "DELETE FROM best;"
    "INSERT INTO best (name, mode, score, id) SELECT name, mode, score, id FROM ("
    " SELECT name, mode, score, id, row_number() OVER (PARTITION BY name, mode ORDER BY score DESC, id ASC) AS n"
    " FROM (SELECT name, 0 AS mode, score, id FROM scores UNION ALL"
    "  SELECT name, CASE WHEN substr(level, 1, 4) = 'CLA-' THEN 2 ELSE 1 END, score, id FROM scores))"
    " WHERE n = 1;"
    "PRAGMA user_version=2;"
    "COMMIT;";

const char* const TopQuery =
    "SELECT s.name, s.level, s.score, s.date, s.version FROM best b JOIN scores s ON s.id = b.id"
    " WHERE b.mode = ?1 AND b.name NOT IN (SELECT name FROM hidden) ORDER BY b.score DESC, b.id ASC LIMIT ?2";

// Names are stored as UTF-8, so that the file reads right in any tool.
std::string Column(sqlite3_stmt* s, int n) {
    const unsigned char* text = sqlite3_column_text(s, n);
    return text ? reinterpret_cast<const char*>(text) : "";
}

void Bind(sqlite3_stmt* s, int n, const std::string& text) {
    sqlite3_bind_text(s, n, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

struct SqliteStore final : ScoreStore {
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* top = nullptr;
    sqlite3_stmt* count = nullptr;
    std::mutex mutex;

    ~SqliteStore() override {
        sqlite3_finalize(insert);
        sqlite3_finalize(top);
        sqlite3_finalize(count);
        sqlite3_close(db);
    }

    // One value from a query run once (the file's version, a table's presence).
    int Scalar(const char* sql) {
        sqlite3_stmt* s = nullptr;
        int value = -1;
        if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
            value = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        return value;
    }

    bool Migrate(const char* steps, std::string& why) {
        if (sqlite3_exec(db, steps, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
        // The rollback's own complaint ("no transaction is active" once
        // the failure ended it) would hide the real one, a full disk say.
        why = sqlite3_errmsg(db);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }

    bool Open(const std::string& path, bool mustExist, std::string& why) {
        int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
        if (!mustExist) flags |= SQLITE_OPEN_CREATE;
        if (mustExist && !std::filesystem::exists(path)) {
            why = "no such file";
            return false;
        }
        if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) return false;
        if (sqlite3_busy_timeout(db, 2000) != SQLITE_OK) return false;
        if (mustExist && Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'scores'") != 1) {
            why = "not a score database";
            return false;
        }
        if (sqlite3_exec(db, Schema, nullptr, nullptr, nullptr) != SQLITE_OK) return false;
        const int version = Scalar("PRAGMA user_version");
        if (version < 1 && !Migrate(StoreOnce, why)) return false;
        if (version < 2 && !Migrate(FillBest, why)) return false;
        return sqlite3_prepare_v2(db,
                                  "INSERT INTO scores (name, level, score, date, version) VALUES (?1, ?2, ?3, ?4, ?5)"
                                  " ON CONFLICT DO NOTHING",
                                  -1, &insert, nullptr) == SQLITE_OK &&
               sqlite3_prepare_v2(db, TopQuery, -1, &top, nullptr) == SQLITE_OK &&
               sqlite3_prepare_v2(db, "SELECT count(*) FROM scores", -1, &count, nullptr) == SQLITE_OK;
    }

    StoreOutcome Add(const ScoreEntry& entry) override {
        std::lock_guard<std::mutex> lock(mutex);
        Bind(insert, 1, Latin1ToUtf8(entry.name));
        Bind(insert, 2, entry.level);
        sqlite3_bind_int64(insert, 3, entry.score);
        Bind(insert, 4, entry.date);
        Bind(insert, 5, entry.version);
        const bool done = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
        sqlite3_clear_bindings(insert);
        if (!done) return StoreOutcome::Unavailable;
        return sqlite3_changes(db) == 1 ? StoreOutcome::Stored : StoreOutcome::AlreadyStored;
    }

    bool Top(int n, std::vector<ScoreEntry>& out, BoardMode mode) override {
        std::lock_guard<std::mutex> lock(mutex);
        out.clear();
        sqlite3_bind_int(top, 1, int(mode));
        sqlite3_bind_int(top, 2, n);
        int rc;
        while ((rc = sqlite3_step(top)) == SQLITE_ROW)
            out.push_back({Utf8ToLatin1(Column(top, 0)), Column(top, 1), sqlite3_column_int64(top, 2), Column(top, 3),
                           Column(top, 4)});
        sqlite3_reset(top);
        return rc == SQLITE_DONE;
    }

    long long Count() override {
        std::lock_guard<std::mutex> lock(mutex);
        long long n = -1;
        if (sqlite3_step(count) == SQLITE_ROW) n = sqlite3_column_int64(count, 0);
        sqlite3_reset(count);
        return n;
    }

    bool Ping() override {
        std::lock_guard<std::mutex> lock(mutex);
        return Scalar("SELECT 1") == 1;
    }

    bool SetHidden(const std::string& name, bool hidden, bool& changed) override {
        std::lock_guard<std::mutex> lock(mutex);
        sqlite3_stmt* s = nullptr;
        const char* sql = hidden ? "INSERT INTO hidden (name) VALUES (?1) ON CONFLICT DO NOTHING"
                                 : "DELETE FROM hidden WHERE name = ?1";
        bool ok = sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK;
        if (ok) Bind(s, 1, Latin1ToUtf8(name));
        ok = ok && sqlite3_step(s) == SQLITE_DONE;
        sqlite3_finalize(s);
        changed = ok && sqlite3_changes(db) == 1;
        return ok;
    }

    bool Hidden(std::vector<HiddenName>& out) override {
        std::lock_guard<std::mutex> lock(mutex);
        out.clear();
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT name, strftime('%Y-%m-%d %H:%M', since, 'unixepoch') FROM hidden ORDER BY name",
                               -1, &s, nullptr) != SQLITE_OK)
            return false;
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) out.push_back({Utf8ToLatin1(Column(s, 0)), Column(s, 1)});
        sqlite3_finalize(s);
        return rc == SQLITE_DONE;
    }
};

}  // namespace

std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path, std::string& error, bool mustExist) {
    auto store = std::make_unique<SqliteStore>();
    std::string why;
    if (store->Open(path, mustExist, why)) return store;
    error = path + ": " + (!why.empty() ? why : store->db ? sqlite3_errmsg(store->db) : "out of memory");
    return nullptr;
}
