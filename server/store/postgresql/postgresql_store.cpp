#include "postgresql_store.h"

#include <libpq-fe.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "game_text.h"

namespace {

using Clock = std::chrono::steady_clock;

// Servers starting together on one database take turns creating it.
// "best" holds each name's best upload for every list, kept by a trigger
// so that any writer (another server, an import) keeps it right; the top
// lists are then an index walk, however many uploads are stored. A
// database from before it gets it filled once.
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
    "CREATE TABLE IF NOT EXISTS hidden (name TEXT PRIMARY KEY, since TIMESTAMPTZ NOT NULL DEFAULT now());"
    "DO $$ BEGIN"
    " IF to_regclass('best') IS NULL THEN"
    "  CREATE TABLE best (name TEXT NOT NULL, mode SMALLINT NOT NULL, score BIGINT NOT NULL, id BIGINT NOT NULL,"
    "   PRIMARY KEY (name, mode));"
    "  CREATE INDEX best_rank ON best (mode, score DESC, id ASC);"
    "  CREATE FUNCTION scores_best() RETURNS trigger LANGUAGE plpgsql AS $f$ BEGIN"
    "   INSERT INTO best (name, mode, score, id) VALUES (NEW.name, 0, NEW.score, NEW.id),"
    "    (NEW.name, CASE WHEN substr(NEW.level, 1, 4) = 'CLA-' THEN 2 ELSE 1 END, NEW.score, NEW.id)"
    "   ON CONFLICT (name, mode) DO UPDATE SET score = EXCLUDED.score, id = EXCLUDED.id"
    "    WHERE EXCLUDED.score > best.score OR (EXCLUDED.score = best.score AND EXCLUDED.id < best.id);"
    "   RETURN NULL; END $f$;"
    "  CREATE TRIGGER scores_best AFTER INSERT ON scores FOR EACH ROW EXECUTE FUNCTION scores_best();"
    "  INSERT INTO best (name, mode, score, id) SELECT DISTINCT ON (name, mode) name, mode, score, id FROM ("
    "   SELECT name, 0 AS mode, score, id FROM scores UNION ALL"
    "   SELECT name, CASE WHEN substr(level, 1, 4) = 'CLA-' THEN 2 ELSE 1 END, score, id FROM scores) AS every"
    "   ORDER BY name, mode, score DESC, id ASC;"
    " END IF;"
    " END $$;"
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
    {"top",
     "SELECT s.name, s.level, s.score, s.date, s.version FROM best b JOIN scores s ON s.id = b.id"
     " WHERE b.mode = $1::smallint AND b.name NOT IN (SELECT name FROM hidden)"
     " ORDER BY b.score DESC, b.id ASC LIMIT $2::int",
     2},
    {"count", "SELECT count(*) FROM scores", 0},
    {"ping", "SELECT 1", 0},
    {"hide", "INSERT INTO hidden (name) VALUES ($1) ON CONFLICT DO NOTHING", 1},
    {"unhide", "DELETE FROM hidden WHERE name = $1", 1},
    {"hidden", "SELECT name, to_char(since AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI') FROM hidden ORDER BY name", 0},
};

// A statement the database has not answered in this time is given up: the
// client has had "unavailable" long before. The server's own limit (in
// Connect) is shorter, so a statement stuck behind a lock ends there and
// the connection is kept; only a database that says nothing at all (a
// stopped or unreachable host) costs the connection.
constexpr auto StatementDeadline = std::chrono::seconds(6);
// How long a request waits for a free connection.
constexpr auto TakeDeadline = std::chrono::seconds(2);

void IgnoreNotice(void*, const char*) {}

// libpq's messages run over several lines; the server says one.
std::string OneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\n' || ch == '\t') ch = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// PQexecPrepared without its wait for ever: sent, then read as the
// answer comes, up to the deadline. Null on failure; `broken` when the
// connection cannot be used again.
PGresult* ExecWithin(PGconn* c, const char* name, const std::vector<const char*>& values, Clock::time_point deadline,
                     bool& broken) {
    broken = false;
    if (!PQsendQueryPrepared(c, name, int(values.size()), values.data(), nullptr, nullptr, 0)) {
        broken = PQstatus(c) != CONNECTION_OK;
        return nullptr;
    }
    for (;;) {
        const int unsent = PQflush(c);
        if (unsent == 0 && !PQisBusy(c)) break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{PQsocket(c), short(unsent ? POLLIN | POLLOUT : POLLIN), 0};
        if (unsent < 0 || left <= 0 || ::poll(&p, 1, int(left)) <= 0 || !PQconsumeInput(c)) {
            broken = true;
            return nullptr;
        }
    }
    // The last result is the statement's; a failed one is kept as it is.
    PGresult* result = nullptr;
    while (PGresult* next = PQgetResult(c)) {
        PQclear(result);
        result = next;
    }
    broken = PQstatus(c) != CONNECTION_OK;
    return result;
}

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
    // Pool places whose connection was lost, and connections made again.
    int lost = 0;
    std::atomic<uint64_t> reconnects{0};

    ~PostgresqlStore() override {
        for (PGconn* c : idle) PQfinish(c);
    }

    PGconn* Open() const {
        // The URI's own settings win over these defaults. Names travel as
        // UTF-8 whatever the database's own encoding.
        const char* keys[] = {"connect_timeout", "application_name", "options", "dbname", nullptr};
        const char* values[] = {"2", "orbivore-scores", "-c statement_timeout=5000 -c client_encoding=UTF8", uri.c_str(),
                                nullptr};
        return PQconnectdbParams(keys, values, 1);
    }

    PGconn* Connect() {
        PGconn* c = Open();
        bool ok = c && PQstatus(c) == CONNECTION_OK;
        if (ok) PQsetNoticeProcessor(c, &IgnoreNotice, nullptr);
        ok = ok && Succeeded(PQexec(c, Schema), PGRES_COMMAND_OK);
        for (const Statement& s : Statements)
            ok = ok && Succeeded(PQprepare(c, s.name, s.sql, s.parameters, nullptr), PGRES_COMMAND_OK);
        std::lock_guard<std::mutex> lock(mutex);
        if (ok) {
            if (lost > 0) {
                --lost;
                ++reconnects;
            }
            return c;
        }
        lastError = OneLine(c ? PQerrorMessage(c) : "out of memory");
        lastFailure = Clock::now();
        PQfinish(c);
        return nullptr;
    }

    // Whether the database exists and holds the scores table, before any
    // schema is made in it.
    bool HoldsScores(std::string& error) {
        PGconn* c = Open();
        PGresult* r = PQstatus(c) == CONNECTION_OK ? PQexec(c, "SELECT to_regclass('scores') IS NOT NULL") : nullptr;
        const bool holds = r && PQresultStatus(r) == PGRES_TUPLES_OK && std::string(PQgetvalue(r, 0, 0)) == "t";
        error = !r ? OneLine(std::string("PostgreSQL: ") + PQerrorMessage(c)) : holds ? "" : "PostgreSQL: not a score database";
        PQclear(r);
        PQfinish(c);
        return holds;
    }

    // A connection that works, or null while the database is away. After a
    // failure, requests for the next second get null at once rather than
    // each waiting out a connection attempt.
    PGconn* Take() {
        PGconn* c;
        {
            std::unique_lock<std::mutex> lock(mutex);
            if (!returned.wait_for(lock, TakeDeadline, [this] { return !idle.empty(); })) return nullptr;
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

    // `dropped`: the connection is not to be used again (a statement on it
    // was given up).
    void Give(PGconn* c, bool dropped = false) {
        const bool broken = c && (dropped || PQstatus(c) != CONNECTION_OK);
        if (broken) {
            PQfinish(c);
            c = nullptr;
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (broken) ++lost;
            idle.push_back(c);
        }
        returned.notify_one();
    }

    // Runs a prepared statement; a connection found broken (the database
    // restarted) is made again and the statement tried once more, unless
    // the database has stopped answering.
    PGresult* Run(const char* name, const std::vector<std::string>& arguments, ExecStatusType wanted) {
        std::vector<const char*> values;
        for (const std::string& a : arguments) values.push_back(a.c_str());
        const auto deadline = Clock::now() + StatementDeadline;
        for (int attempt = 0; attempt < 2 && Clock::now() < deadline; ++attempt) {
            PGconn* c = Take();
            if (!c) return nullptr;
            bool broken = false;
            PGresult* result = ExecWithin(c, name, values, deadline, broken);
            Give(c, broken);
            if (result && PQresultStatus(result) == wanted) return result;
            PQclear(result);
            if (!broken) return nullptr;
        }
        return nullptr;
    }

    StoreOutcome Add(const ScoreEntry& e) override {
        PGresult* r = Run("add", {Latin1ToUtf8(e.name), e.level, std::to_string(e.score), e.date, e.version}, PGRES_COMMAND_OK);
        if (!r) return StoreOutcome::Unavailable;
        const bool stored = std::string(PQcmdTuples(r)) == "1";
        PQclear(r);
        return stored ? StoreOutcome::Stored : StoreOutcome::AlreadyStored;
    }

    bool Top(int count, std::vector<ScoreEntry>& out, BoardMode mode) override {
        out.clear();
        PGresult* r = Run("top", {std::to_string(int(mode)), std::to_string(count)}, PGRES_TUPLES_OK);
        if (!r) return false;
        for (int row = 0; row < PQntuples(r); ++row)
            out.push_back({Utf8ToLatin1(PQgetvalue(r, row, 0)), PQgetvalue(r, row, 1), std::stoll(PQgetvalue(r, row, 2)),
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

    bool Ping() override {
        PGresult* r = Run("ping", {}, PGRES_TUPLES_OK);
        PQclear(r);
        return r != nullptr;
    }

    bool SetHidden(const std::string& name, bool hidden, bool& changed) override {
        PGresult* r = Run(hidden ? "hide" : "unhide", {Latin1ToUtf8(name)}, PGRES_COMMAND_OK);
        changed = r && std::string(PQcmdTuples(r)) == "1";
        PQclear(r);
        return r != nullptr;
    }

    bool Hidden(std::vector<HiddenName>& out) override {
        out.clear();
        PGresult* r = Run("hidden", {}, PGRES_TUPLES_OK);
        if (!r) return false;
        for (int row = 0; row < PQntuples(r); ++row) out.push_back({Utf8ToLatin1(PQgetvalue(r, row, 0)), PQgetvalue(r, row, 1)});
        PQclear(r);
        return true;
    }

    uint64_t Reconnects() const override { return reconnects.load(); }
};

}  // namespace

std::unique_ptr<ScoreStore> OpenPostgresqlStore(const std::string& uri, int connections, std::string& error,
                                                bool mustExist) {
    auto store = std::make_unique<PostgresqlStore>();
    store->uri = uri;
    if (mustExist && !store->HoldsScores(error)) return nullptr;
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
