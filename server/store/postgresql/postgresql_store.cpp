#include "postgresql_store.h"

#include <libpq-fe.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

// Servers starting together on one database take turns creating it.
const char* const Schema =
    "SET client_min_messages = warning;"
    "BEGIN;"
    "SELECT pg_advisory_xact_lock(720514);"
    "CREATE TABLE IF NOT EXISTS scores ("
    " id BIGSERIAL PRIMARY KEY,"
    " name TEXT NOT NULL, level TEXT NOT NULL, score BIGINT NOT NULL,"
    " date TEXT NOT NULL, version TEXT NOT NULL,"
    " received TIMESTAMPTZ NOT NULL DEFAULT now());"
    "CREATE UNIQUE INDEX IF NOT EXISTS scores_once ON scores (name, level, score, date);"
    "CREATE INDEX IF NOT EXISTS scores_rank ON scores (score DESC, id ASC);"
    "COMMIT;";

struct Statement {
    const char* name;
    const char* sql;
    int parameters;
};
const Statement Statements[] = {
    {"add",
     "INSERT INTO scores (name, level, score, date, version) VALUES ($1, $2, $3::bigint, $4, $5)"
     " ON CONFLICT (name, level, score, date) DO NOTHING",
     5},
    {"top", "SELECT name, level, score, date, version FROM scores ORDER BY score DESC, id ASC LIMIT $1::int", 1},
    {"count", "SELECT count(*) FROM scores", 0},
};

void IgnoreNotice(void*, const char*) {}

bool Succeeded(PGresult* result, ExecStatusType wanted) {
    const bool ok = result && PQresultStatus(result) == wanted;
    PQclear(result);
    return ok;
}

struct PostgresqlStore final : ScoreStore {
    std::string uri;
    std::vector<PGconn*> idle;  // null: to be connected when taken
    std::mutex mutex;
    std::condition_variable returned;
    Clock::time_point lastFailure{};
    std::string lastError;

    ~PostgresqlStore() override {
        for (PGconn* c : idle) PQfinish(c);
    }

    PGconn* Connect() {
        // The URI's own settings win over these defaults.
        const char* keys[] = {"connect_timeout", "application_name", "options", "dbname", nullptr};
        const char* values[] = {"2", "orbivore-scores", "-c statement_timeout=5000", uri.c_str(), nullptr};
        PGconn* c = PQconnectdbParams(keys, values, 1);
        bool ok = c && PQstatus(c) == CONNECTION_OK;
        if (ok) PQsetNoticeProcessor(c, &IgnoreNotice, nullptr);
        ok = ok && Succeeded(PQexec(c, Schema), PGRES_COMMAND_OK);
        for (const Statement& s : Statements)
            ok = ok && Succeeded(PQprepare(c, s.name, s.sql, s.parameters, nullptr), PGRES_COMMAND_OK);
        if (ok) return c;
        std::lock_guard<std::mutex> lock(mutex);
        lastError = c ? PQerrorMessage(c) : "out of memory";
        // libpq's messages run over several lines; the server says one.
        for (char& ch : lastError)
            if (ch == '\n' || ch == '\t') ch = ' ';
        while (!lastError.empty() && lastError.back() == ' ') lastError.pop_back();
        lastFailure = Clock::now();
        PQfinish(c);
        return nullptr;
    }

    // A connection that works, or null while the database is away. After a
    // failure, requests for the next second get null at once rather than
    // each waiting out a connection attempt.
    PGconn* Take() {
        PGconn* c;
        {
            std::unique_lock<std::mutex> lock(mutex);
            returned.wait(lock, [this] { return !idle.empty(); });
            c = idle.back();
            idle.pop_back();
            if (!c && Clock::now() - lastFailure < std::chrono::seconds(1)) {
                idle.push_back(nullptr);
                returned.notify_one();
                return nullptr;
            }
        }
        if (!c) c = Connect();
        if (!c) Give(nullptr);
        return c;
    }

    void Give(PGconn* c) {
        if (c && PQstatus(c) != CONNECTION_OK) {
            PQfinish(c);
            c = nullptr;
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            idle.push_back(c);
        }
        returned.notify_one();
    }

    // Runs a prepared statement; a connection found broken (the database
    // restarted) is made again and the statement tried once more.
    PGresult* Run(const char* name, const std::vector<std::string>& arguments, ExecStatusType wanted) {
        std::vector<const char*> values;
        for (const std::string& a : arguments) values.push_back(a.c_str());
        for (int attempt = 0; attempt < 2; ++attempt) {
            PGconn* c = Take();
            if (!c) return nullptr;
            PGresult* result = PQexecPrepared(c, name, int(values.size()), values.data(), nullptr, nullptr, 0);
            const bool broken = PQstatus(c) != CONNECTION_OK;
            Give(c);
            if (result && PQresultStatus(result) == wanted) return result;
            PQclear(result);
            if (!broken) return nullptr;
        }
        return nullptr;
    }

    StoreOutcome Add(const ScoreEntry& e) override {
        PGresult* r = Run("add", {e.name, e.level, std::to_string(e.score), e.date, e.version}, PGRES_COMMAND_OK);
        if (!r) return StoreOutcome::Unavailable;
        const bool stored = std::string(PQcmdTuples(r)) == "1";
        PQclear(r);
        return stored ? StoreOutcome::Stored : StoreOutcome::AlreadyStored;
    }

    bool Top(int count, std::vector<ScoreEntry>& out) override {
        out.clear();
        PGresult* r = Run("top", {std::to_string(count)}, PGRES_TUPLES_OK);
        if (!r) return false;
        for (int row = 0; row < PQntuples(r); ++row)
            out.push_back({PQgetvalue(r, row, 0), PQgetvalue(r, row, 1), std::stoll(PQgetvalue(r, row, 2)),
                           PQgetvalue(r, row, 3), PQgetvalue(r, row, 4)});
        PQclear(r);
        return true;
    }

    long long Count() override {
        PGresult* r = Run("count", {}, PGRES_TUPLES_OK);
        if (!r) return -1;
        const long long n = std::stoll(PQgetvalue(r, 0, 0));
        PQclear(r);
        return n;
    }
};

}  // namespace

std::unique_ptr<ScoreStore> OpenPostgresqlStore(const std::string& uri, int connections, std::string& error) {
    auto store = std::make_unique<PostgresqlStore>();
    store->uri = uri;
    // One connection now, to create the schema and to refuse a URI that
    // cannot work; the others are made when the load asks for them.
    PGconn* first = store->Connect();
    if (!first) {
        error = "PostgreSQL: " + store->lastError;
        return nullptr;
    }
    store->idle.assign(size_t(std::max(connections, 1)) - 1, nullptr);
    store->idle.push_back(first);
    return store;
}
