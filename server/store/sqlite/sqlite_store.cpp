#include "sqlite_store.h"

#include <sqlite3.h>

#include <mutex>

namespace {

const char* const Schema =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=NORMAL;"
    "CREATE TABLE IF NOT EXISTS scores ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " name TEXT NOT NULL, level TEXT NOT NULL, score INTEGER NOT NULL,"
    " date TEXT NOT NULL, version TEXT NOT NULL,"
    " received INTEGER NOT NULL DEFAULT (strftime('%s','now')));"
    "CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, id ASC);";

// Files written before repeated uploads were refused hold every copy; the
// first of each stays, then the unique index keeps it that way.
const char* const StoreOnce =
    "BEGIN IMMEDIATE;"
    "DELETE FROM scores WHERE id NOT IN (SELECT min(id) FROM scores GROUP BY name, level, score, date);"
    "CREATE UNIQUE INDEX IF NOT EXISTS scores_once ON scores (name, level, score, date);"
    "PRAGMA user_version=1;"
    "COMMIT;";

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

    bool Open(const std::string& path) {
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
        if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) return false;
        if (sqlite3_busy_timeout(db, 2000) != SQLITE_OK) return false;
        if (sqlite3_exec(db, Schema, nullptr, nullptr, nullptr) != SQLITE_OK) return false;
        if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &count, nullptr) != SQLITE_OK) return false;
        const bool current = sqlite3_step(count) == SQLITE_ROW && sqlite3_column_int(count, 0) >= 1;
        sqlite3_finalize(count);
        count = nullptr;
        if (!current && sqlite3_exec(db, StoreOnce, nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return false;
        }
        return sqlite3_prepare_v2(db,
                                  "INSERT INTO scores (name, level, score, date, version) VALUES (?1, ?2, ?3, ?4, ?5)"
                                  " ON CONFLICT DO NOTHING",
                                  -1, &insert, nullptr) == SQLITE_OK &&
               sqlite3_prepare_v2(db,
                                  "SELECT name, level, score, date, version FROM scores"
                                  " ORDER BY score DESC, id ASC LIMIT ?1",
                                  -1, &top, nullptr) == SQLITE_OK &&
               sqlite3_prepare_v2(db, "SELECT count(*) FROM scores", -1, &count, nullptr) == SQLITE_OK;
    }

    StoreOutcome Add(const ScoreEntry& entry) override {
        std::lock_guard<std::mutex> lock(mutex);
        Bind(insert, 1, entry.name);
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

    bool Top(int n, std::vector<ScoreEntry>& out) override {
        std::lock_guard<std::mutex> lock(mutex);
        out.clear();
        sqlite3_bind_int(top, 1, n);
        int rc;
        while ((rc = sqlite3_step(top)) == SQLITE_ROW)
            out.push_back({Column(top, 0), Column(top, 1), sqlite3_column_int64(top, 2), Column(top, 3), Column(top, 4)});
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
};

}  // namespace

std::unique_ptr<ScoreStore> OpenSqliteStore(const std::string& path, std::string& error) {
    auto store = std::make_unique<SqliteStore>();
    if (store->Open(path)) return store;
    error = path + ": " + (store->db ? sqlite3_errmsg(store->db) : "out of memory");
    return nullptr;
}
