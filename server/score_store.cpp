#include "score_store.h"

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

std::string Column(sqlite3_stmt* s, int n) {
    const unsigned char* text = sqlite3_column_text(s, n);
    return text ? reinterpret_cast<const char*>(text) : "";
}

void Bind(sqlite3_stmt* s, int n, const std::string& text) {
    sqlite3_bind_text(s, n, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

}  // namespace

bool OpenScoreStore(ScoreStore& store, const std::string& path, std::string& error) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    bool ok = sqlite3_open_v2(path.c_str(), &store.db, flags, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_busy_timeout(store.db, 5000) == SQLITE_OK;
    ok = ok && sqlite3_exec(store.db, Schema, nullptr, nullptr, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_prepare_v2(store.db,
                                  "INSERT INTO scores (name, level, score, date, version) VALUES (?1, ?2, ?3, ?4, ?5)",
                                  -1, &store.insert, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_prepare_v2(store.db,
                                  "SELECT name, level, score, date, version FROM scores"
                                  " ORDER BY score DESC, id ASC LIMIT ?1",
                                  -1, &store.top, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_prepare_v2(store.db, "SELECT count(*) FROM scores", -1, &store.count, nullptr) == SQLITE_OK;
    if (!ok) {
        error = store.db ? sqlite3_errmsg(store.db) : "out of memory";
        CloseScoreStore(store);
    }
    return ok;
}

void CloseScoreStore(ScoreStore& store) {
    sqlite3_finalize(store.insert);
    sqlite3_finalize(store.top);
    sqlite3_finalize(store.count);
    sqlite3_close(store.db);
    store.insert = store.top = store.count = nullptr;
    store.db = nullptr;
}

bool AddScore(ScoreStore& store, const ScoreEntry& entry) {
    std::lock_guard<std::mutex> lock(store.mutex);
    sqlite3_stmt* s = store.insert;
    Bind(s, 1, entry.name);
    Bind(s, 2, entry.level);
    sqlite3_bind_int64(s, 3, entry.score);
    Bind(s, 4, entry.date);
    Bind(s, 5, entry.version);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    return ok;
}

bool TopScores(ScoreStore& store, int count, std::vector<ScoreEntry>& out) {
    std::lock_guard<std::mutex> lock(store.mutex);
    out.clear();
    sqlite3_stmt* s = store.top;
    sqlite3_bind_int(s, 1, count);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        ScoreEntry e;
        e.name = Column(s, 0);
        e.level = Column(s, 1);
        e.score = sqlite3_column_int64(s, 2);
        e.date = Column(s, 3);
        e.version = Column(s, 4);
        out.push_back(e);
    }
    sqlite3_reset(s);
    return rc == SQLITE_DONE;
}

long long CountScores(ScoreStore& store) {
    std::lock_guard<std::mutex> lock(store.mutex);
    long long n = -1;
    if (sqlite3_step(store.count) == SQLITE_ROW) n = sqlite3_column_int64(store.count, 0);
    sqlite3_reset(store.count);
    return n;
}
