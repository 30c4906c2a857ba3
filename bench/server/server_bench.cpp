// The score server under load: 50 clients at once, each request on a new
// connection as the game makes them. Every figure has its reference from
// the same run: the same HTTP core answering a fixed text, the same client
// without the siege, the same query over a small table.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "http_probe.h"
#include "postgres_instance.h"
#include "score_queries.h"
#include "score_server.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int Clients = 50, RequestsEach = 40;

fs::path Scratch() {
    // Kept as a plain pointer so the clean-up at exit never meets a
    // destroyed path.
    static const std::string* folder = nullptr;
    if (!folder) {
        std::string pattern = (fs::temp_directory_path() / "orbivore-bench-XXXXXX").string();
        mkdtemp(pattern.data());
        folder = new std::string(pattern);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(*folder, ignored);
        });
    }
    return *folder;
}

// A fresh database of the back-end: 0 SQLite, 1 PostgreSQL.
std::string FreshDatabase(int backend) {
    static int made = 0;
    const std::string name = "bench" + std::to_string(++made);
    if (backend == 0) return (Scratch() / (name + ".db")).string();
    std::string error = SharedPostgres().startError;
    if (!SharedPostgres().running || !CreatePostgresDatabase(SharedPostgres(), name, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return "";
    }
    return PostgresUri(SharedPostgres(), name);
}

bool StartServer(ScoreServer& server, const std::string& database) {
    std::string error;
    if (SetUpScoreServer(server, UnlimitedConfig(database), error)) return true;
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
}

double Percentile(std::vector<double> ms, double p) {
    if (ms.empty()) return 0;
    std::sort(ms.begin(), ms.end());
    return ms[std::min(ms.size() - 1, size_t(p * double(ms.size())))];
}

// 50 clients, each making its requests one after another; target(c, n)
// names client c's n-th request. Adds every latency and returns the time
// the siege took.
template <class Target>
double Siege(int port, Target target, int expected, std::vector<double>& ms, std::atomic<int>& failed) {
    std::vector<std::vector<double>> latencies(Clients);
    const auto start = Clock::now();
    std::vector<std::thread> threads;
    for (int c = 0; c < Clients; ++c)
        threads.emplace_back([&, c] {
            for (int n = 0; n < RequestsEach; ++n) {
                const auto sent = Clock::now();
                if (Fetch(port, "GET", target(c, n)).status != expected) ++failed;
                latencies[c].push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
            }
        });
    for (std::thread& t : threads) t.join();
    for (const auto& l : latencies) ms.insert(ms.end(), l.begin(), l.end());
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <class Target>
void Load(benchmark::State& state, int port, Target target) {
    std::vector<double> all;
    std::atomic<int> failed{0};
    double seconds = 0;
    for (auto _ : state) {
        seconds = Siege(port, target, 200, all, failed);
        state.SetIterationTime(seconds);
    }
    state.counters["req/s"] = double(all.size()) / seconds;
    state.counters["p50_ms"] = Percentile(all, 0.50);
    state.counters["p99_ms"] = Percentile(all, 0.99);
    state.counters["failed"] = failed.load();
}

// The reference: the same HTTP core and client, a fixed text for an answer.
void BM_FixedTextReference(benchmark::State& state) {
    RaiseOpenFileLimit();
    HttpCore core;
    HttpLimits limits;
    limits.connectionsPerAddress = 0;
    int port = 0;
    std::string error;
    const int fd = OpenListeningSocket("127.0.0.1", 0, port, error);
    if (fd < 0 || !StartHttpCore(core, fd, limits, [](const HttpRequest&) { return HttpReply{200, "ok\n", {}}; }, error))
        return state.SkipWithError(error.c_str());
    Load(state, port, [](int, int) { return std::string("/scores/orbivore_win.php?KOVA_argEncrypted=00"); });
    StopHttpCore(core);
}

void BM_GetScore(benchmark::State& state) {
    ScoreServer server;
    if (!StartServer(server, FreshDatabase(int(state.range(0))))) return state.SkipWithError("no server");
    for (int n = 0; n < 1000; ++n) server.store->Add({"p" + std::to_string(n), "001-010", n * 7, "01 Jan 2024", "1.00"});
    const std::string list = ListTarget();
    Load(state, server.port, [&](int, int) { return list; });
    CloseScoreServer(server);
}

void BM_AddScore(benchmark::State& state) {
    ScoreServer server;
    if (!StartServer(server, FreshDatabase(int(state.range(0))))) return state.SkipWithError("no server");
    Load(state, server.port, [](int c, int n) { return UploadTarget("c" + std::to_string(c), c * 1000 + n); });
    CloseScoreServer(server);
}

// One legitimate client's latency while 500 connections from one address
// and 500 from fifty others sit idle or half-way through their headers
// (argument 1), or while 64 from each of 63 addresses fill the cap of
// 4,000 (argument 2); argument 0 is the same client without them.
void BM_RequestUnderSiege(benchmark::State& state) {
    RaiseOpenFileLimit();
    ScoreServer server;
    ScoreServerConfig config;
    config.port = 0;
    config.database = ":memory:";
    config.log = nullptr;
    std::string error;
    if (!SetUpScoreServer(server, config, error)) return state.SkipWithError(error.c_str());
    std::vector<int> held;
    if (state.range(0)) {
        const std::string partial = "GET /scores/orbivore_win.php?KOVA_argEncrypted=";
        auto hold = [&](const std::string& source, int count) {
            for (int n = 0; n < count; ++n) {
                const int fd = ConnectFrom(source, server.port);
                if (n % 2 && fd >= 0) ::send(fd, partial.data(), partial.size(), MSG_NOSIGNAL);
                if (fd >= 0) held.push_back(fd);
            }
        };
        if (state.range(0) == 1) {
            hold("127.0.0.1", 500);
            for (int a = 2; a < 52; ++a) hold("127.0.0." + std::to_string(a), 10);
        } else {
            for (int a = 2; a < 65; ++a) hold("127.0.0." + std::to_string(a), 64);
        }
    }
    std::vector<double> ms;
    int failed = 0;
    const std::string list = ListTarget();
    for (auto _ : state) {
        for (int n = 0; n < 200; ++n) {
            const auto sent = Clock::now();
            failed += Fetch(server.port, "GET", list, "127.0.0.200").status != 200;
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
        }
    }
    state.counters["held"] = double(held.size());
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p99_ms"] = Percentile(ms, 0.99);
    state.counters["max_ms"] = Percentile(ms, 1.0);
    state.counters["failed"] = failed;
    for (const int fd : held) ::close(fd);
    CloseScoreServer(server);
}

// From SIGTERM to the program's exit, with 1,000 connections held
// (argument 1) or none.
void BM_StopOnTerm(benchmark::State& state) {
    RaiseOpenFileLimit();
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) return state.SkipWithError("pipe");
        const pid_t child = fork();
        if (child == 0) {
            dup2(out[1], 2);
            execl(ORBIVORE_SCORES_PATH, ORBIVORE_SCORES_PATH, "--port", "0", "--quiet", ":memory:", nullptr);
            _exit(127);
        }
        ::close(out[1]);
        char line[256] = "";
        FILE* said = fdopen(out[0], "r");
        int port = 0;
        const char* at = std::fgets(line, sizeof line, said) ? std::strstr(line, "127.0.0.1:") : nullptr;
        if (!at || std::sscanf(at + 10, "%d", &port) != 1) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            return state.SkipWithError("no server");
        }
        std::vector<int> held;
        for (int n = 0; state.range(0) && n < 1000; ++n) {
            const int fd = ConnectFrom("127.0.0." + std::to_string(2 + n / 20), port);
            if (fd >= 0) held.push_back(fd);
        }
        const auto start = Clock::now();
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        for (const int fd : held) ::close(fd);
        std::fclose(said);
    }
}

// The top 25 of a million rows (argument 1) or of a thousand, straight
// from the store; `players` names take turns (0: a name each).
void FillSqlite(const std::string& file, int rows, int players = 0) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO scores (name, level, score, date, version) VALUES (?1, '001-010', ?2, '01 Jan 2024', '1.00')",
                       -1, &s, nullptr);
    for (int n = 0; n < rows; ++n) {
        const std::string name = "p" + std::to_string(players ? n % players : n);
        sqlite3_bind_text(s, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(s, 2, (n * 7919LL) % 99999989);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void FillPostgresql(const std::string& uri, int rows) {
    PGconn* c = PQconnectdb(uri.c_str());
    PQclear(PQexec(c, ("INSERT INTO scores (name, level, score, date, version) SELECT 'p' || n, '001-010',"
                       " (n * 7919::bigint) % 99999989, '01 Jan 2024', '1.00' FROM generate_series(0, " +
                       std::to_string(rows - 1) + ") AS n; ANALYZE scores;").c_str()));
    PQfinish(c);
}

void BM_Top25(benchmark::State& state) {
    const int backend = int(state.range(0));
    const int rows = state.range(1) ? 1000000 : 1000;
    const std::string database = FreshDatabase(backend);
    std::string error;
    auto store = database.empty() ? nullptr : OpenScoreStore(database, 1, error);
    if (!store) return state.SkipWithError("no database");
    if (backend == 0) FillSqlite(database, rows);
    else FillPostgresql(database, rows);
    std::vector<ScoreEntry> top;
    for (auto _ : state) {
        if (!store->Top(25, top) || top.size() != 25) state.SkipWithError("query failed");
        benchmark::DoNotOptimize(top.data());
    }
    state.counters["rows"] = double(store->Count());
}

// What a busy board costs: 100,000 stored uploads of 20,000 players on
// SQLite. The server's own 404 answer, getscore, the page and /api/top take
// turns, five sieges each, so that all four meet the same machine; each
// reports its requests a second and p99, and p99 against the 404 answer's.
void BM_Board(benchmark::State& state) {
    RaiseOpenFileLimit();
    const std::string database = FreshDatabase(0);
    std::string error;
    OpenScoreStore(database, 1, error);  // makes the schema
    FillSqlite(database, 100000, 20000);
    ScoreServer server;
    if (!StartServer(server, database)) return state.SkipWithError("no server");
    const char* const names[] = {"404", "getscore", "page", "api"};
    const std::string targets[] = {"/nothing-here", ListTarget(), "/", "/api/top?mode=arcade&limit=25"};
    std::vector<double> ms[4];
    double seconds[4] = {};
    std::atomic<int> failed{0};
    for (auto _ : state)
        for (int round = 0; round < 5; ++round)
            for (int t = 0; t < 4; ++t)
                seconds[t] += Siege(server.port, [&](int, int) { return targets[t]; }, t == 0 ? 404 : 200, ms[t], failed);
    CloseScoreServer(server);
    const double notFound = Percentile(ms[0], 0.99);
    for (int t = 0; t < 4; ++t) {
        const std::string name = names[t];
        state.counters[name + "_req/s"] = double(ms[t].size()) / seconds[t];
        state.counters[name + "_p99_ms"] = Percentile(ms[t], 0.99);
        if (t) state.counters[name + "_p99/404"] = Percentile(ms[t], 0.99) / notFound;
    }
    state.counters["failed"] = failed.load();
}

BENCHMARK(BM_FixedTextReference)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetScore)->ArgName("postgresql")->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddScore)->ArgName("postgresql")->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RequestUnderSiege)->ArgName("held")->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StopOnTerm)->ArgName("held")->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Board)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Top25)->ArgNames({"postgresql", "million"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace
