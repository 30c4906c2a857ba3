// The stores' behaviour, one suite run against SQLite and against a private
// PostgreSQL, through real requests to a server on the loopback interface.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <csignal>
#include <sys/resource.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "http_probe.h"
#include "postgres_instance.h"
#include "score_queries.h"
#include "score_server.h"
#include "store_suite.h"

namespace {

namespace fs = std::filesystem;
using orbivore_test::StoreSuite;

TEST_P(StoreSuite, ListsBestFirstBehindThePlaceholderAndStoresEachEntryOnce) {
    EXPECT_EQ(Get(UploadTarget("ann", 300)), "ok\n");
    Get(UploadTarget("bob", 900));
    Get(UploadTarget("cy", 300));
    // The game sends its last score again on every fire press.
    EXPECT_EQ(Get(UploadTarget("bob", 900)), "ok\n");
    EXPECT_EQ(Fetch(server.port, "HEAD", UploadTarget("dee", 5000)).status, 200);
    EXPECT_EQ(server.store->Count(), 3);
    EXPECT_EQ(Get(ListTarget()), std::string(ListPlaceholderGroup) +
                                     "bob\n001-004\n900\nann\n001-004\n300\ncy\n001-004\n300\nend\n");
    EXPECT_EQ(Get(ListTarget(1)), std::string(ListPlaceholderGroup) + "bob\n001-004\n900\nend\n");
    // Another level text or date is another entry.
    Get(ScoresTarget("orbivore_win.php", UploadQuery("bob", 900, "002-004")));
    EXPECT_EQ(server.store->Count(), 4);
}

TEST_P(StoreSuite, ListsAtMostAHundred) {
    for (int n = 1; n <= 105; ++n)
        ASSERT_EQ(server.store->Add({"p" + std::to_string(n), "001-001", n, "01 Jan 2024", "1.00"}),
                  StoreOutcome::Stored);
    const std::string body = Get(ListTarget(500));
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 3 + 300 + 1);
    EXPECT_EQ(body.substr(std::string(ListPlaceholderGroup).size(), 15), "p105\n001-001\n10");
}

TEST_P(StoreSuite, ConcurrentClientsLoseNothing) {
    constexpr int Clients = 20, Each = 10;
    std::vector<std::thread> clients;
    std::atomic<int> answered{0};
    for (int c = 0; c < Clients; ++c)
        clients.emplace_back([&, c] {
            for (int n = 0; n < Each; ++n)
                if (Fetch(server.port, "GET", UploadTarget("c" + std::to_string(c), c * 100 + n)).status == 200)
                    ++answered;
        });
    for (std::thread& t : clients) t.join();
    EXPECT_EQ(answered.load(), Clients * Each);
    EXPECT_EQ(server.store->Count(), Clients * Each);
    std::vector<ScoreEntry> top;
    ASSERT_TRUE(server.store->Top(1, top));
    EXPECT_EQ(top.at(0).score, (Clients - 1) * 100 + Each - 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, StoreSuite, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& info) { return info.param; });

class PostgresqlOnly : public StoreSuite {};

// Two servers on one database: 20 clients upload to both at once, then
// both store every upload once, whichever server took it, and list the
// same best score of each.
TEST_P(PostgresqlOnly, TwoServersShareOneDatabase) {
    ScoreServer second;
    ASSERT_TRUE(Start(second));
    constexpr int Clients = 20, Each = 4;
    std::vector<std::thread> clients;
    std::atomic<int> answered{0};
    for (int c = 0; c < Clients; ++c)
        clients.emplace_back([&, c] {
            for (int n = 0; n < Each; ++n) {
                const int port = (c + n) % 2 ? second.port : server.port;
                // Every client also repeats its first upload on the other server.
                const int point = n == Each - 1 ? 1000 + c * 10 : 1000 + c * 10 + n;
                if (Fetch(port, "GET", UploadTarget("c" + std::to_string(c), point)).status == 200) ++answered;
            }
        });
    for (std::thread& t : clients) t.join();
    EXPECT_EQ(answered.load(), Clients * Each);
    for (const int port : {server.port, second.port}) {
        const std::string body = Get(ListTarget(100), port);
        std::multiset<std::string> listed;
        for (size_t at = std::string(ListPlaceholderGroup).size(); body.compare(at, 4, "end\n") != 0;) {
            std::string group;
            for (int line = 0; line < 3; ++line) {
                const size_t end = body.find('\n', at);
                group += body.substr(at, end + 1 - at);
                at = end + 1;
            }
            listed.insert(group);
        }
        // Each player once, with the best of their uploads.
        EXPECT_EQ(listed.size(), size_t(Clients));
        for (int c = 0; c < Clients; ++c)
            EXPECT_EQ(listed.count("c" + std::to_string(c) + "\n001-004\n" + std::to_string(1000 + c * 10 + Each - 2) + "\n"), 1u);
    }
    EXPECT_EQ(server.store->Count(), Clients * (Each - 1));
    CloseScoreServer(second);
}

// While the database is away the server says so, and it serves again as
// soon as the database is back, without a restart.
TEST_P(PostgresqlOnly, AnswersUnavailableWhileTheDatabaseIsAwayAndRecovers) {
    Get(UploadTarget("ann", 300));
    PostgresInstance& pg = SharedPostgres();
    ASSERT_TRUE(StopPostgres(pg));
    EXPECT_EQ(Fetch(server.port, "GET", UploadTarget("bob", 400)).status, 503);
    EXPECT_EQ(Fetch(server.port, "GET", ListTarget()).status, 503);
    std::string error;
    ASSERT_TRUE(ResumePostgres(pg, error)) << error;
    // A failed attempt holds off the next for a second; the wait is bounded.
    HttpAnswer answer;
    for (int tries = 0; tries < 100 && answer.status != 200; ++tries) {
        answer = Fetch(server.port, "GET", UploadTarget("bob", 400));
        if (answer.status != 200) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(Get(ListTarget()), std::string(ListPlaceholderGroup) + "bob\n001-004\n400\nann\n001-004\n300\nend\n");
}

// A database that stops answering, its processes stopped dead or its table
// locked by someone else, holds up only the requests that need it: they are
// told to come back later, and the version check is answered meanwhile.
TEST_P(PostgresqlOnly, AStuckDatabaseHoldsUpOnlyWhatNeedsIt) {
    Get(UploadTarget("ann", 300));
    const std::string version = ScoresTarget("VersionCheck.php", "option=getversion");
    for (const bool stopped : {true, false}) {
        // Whatever fails below, the database goes on afterwards.
        struct Stall {
            std::vector<pid_t> stopped;
            PGconn* locker = nullptr;
            ~Stall() {
                for (const pid_t pid : stopped) kill(pid, SIGCONT);
                PQfinish(locker);
            }
        } stall;
        if (stopped) {
            stall.stopped = PostgresProcesses(SharedPostgres());
            ASSERT_GT(stall.stopped.size(), 1u);
            for (const pid_t pid : stall.stopped) kill(pid, SIGSTOP);
        } else {
            stall.locker = PQconnectdb(database.c_str());
            PGresult* r = PQexec(stall.locker, "BEGIN; LOCK TABLE scores IN ACCESS EXCLUSIVE MODE");
            ASSERT_EQ(PQresultStatus(r), PGRES_COMMAND_OK) << PQerrorMessage(stall.locker);
            PQclear(r);
        }
        std::vector<int> statuses(12);
        std::vector<std::thread> clients;
        for (int n = 0; n < 12; ++n)
            clients.emplace_back([&, n] {
                const std::string target = n % 2 ? ListTarget() : UploadTarget("c" + std::to_string(n), 500 + n);
                statuses[n] = Fetch(server.port, "GET", target, "127.0.0.1", 30000).status;
            });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const HttpAnswer answer = Fetch(server.port, "GET", version, "127.0.0.1", 10000);
        for (std::thread& t : clients) t.join();
        EXPECT_EQ(answer.status, 200) << (stopped ? "stopped" : "locked");
        // Uploads are told to come back; a list may come from the board's
        // cache of a few seconds (made as the last stall ended).
        for (int n = 0; n < 12; ++n)
            EXPECT_TRUE(statuses[n] == 503 || (n % 2 && statuses[n] == 200))
                << n << ": " << statuses[n] << (stopped ? " stopped" : " locked");
    }
    // Back to serving without a restart; the wait is bounded.
    HttpAnswer answer;
    for (int tries = 0; tries < 100 && answer.status != 200; ++tries) {
        answer = Fetch(server.port, "GET", UploadTarget("bob", 400));
        if (answer.status != 200) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(answer.status, 200);
}

INSTANTIATE_TEST_SUITE_P(Backend, PostgresqlOnly, ::testing::Values("postgresql"),
                         [](const auto& info) { return info.param; });

// A file as servers wrote it before repeated uploads were refused: four
// rows, one of them a repeat.
void WriteOldFile(const fs::path& file) {
    fs::remove(file);
    const std::string sql =
        "CREATE TABLE scores (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL,"
        " level TEXT NOT NULL, score INTEGER NOT NULL, date TEXT NOT NULL, version TEXT NOT NULL,"
        " received INTEGER NOT NULL DEFAULT 0);"
        "INSERT INTO scores (name, level, score, date, version) VALUES"
        " ('ann','001-004',300,'05 Mar 2024','1.00'), ('ann','001-004',300,'05 Mar 2024','1.00'),"
        " ('ann','001-004',300,'06 Mar 2024','1.00'), ('bob','001-004',300,'05 Mar 2024','1.00');";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// A file written before repeated uploads were refused keeps the first copy
// of each entry and refuses repeats from then on.
TEST(SqliteOnly, AnOldFileLosesItsRepeatsOnly) {
    const fs::path file = fs::temp_directory_path() / ("orbivore-old-" + std::to_string(getpid()) + ".db");
    WriteOldFile(file);
    std::string error;
    auto store = OpenScoreStore(file.string(), 1, error);
    ASSERT_TRUE(store) << error;
    EXPECT_EQ(store->Count(), 3);
    EXPECT_EQ(store->Add({"ann", "001-004", 300, "05 Mar 2024", "1.00"}), StoreOutcome::AlreadyStored);
    // Its lists show each player once, the first of equal scores.
    std::vector<ScoreEntry> top;
    ASSERT_TRUE(store->Top(10, top));
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].name + " " + top[0].date + " " + top[1].name, "ann 05 Mar 2024 bob");
    store.reset();
    fs::remove(file);
}

// A disk too full to bring the file up to date says so, not what the
// rollback after it complained of.
TEST(SqliteOnly, AFullDiskAtStartIsNamed) {
    const fs::path file = fs::temp_directory_path() / ("orbivore-full-" + std::to_string(getpid()) + ".db");
    // A file of today's form but from before repeats were refused, with
    // repeats enough to need more room than there will be.
    std::string error;
    fs::remove(file);
    ASSERT_TRUE(OpenScoreStore(file.string(), 1, error)) << error;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db,
                           "DROP INDEX scores_once; PRAGMA user_version=0;"
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)"
                           " INSERT INTO scores (name, level, score, date, version)"
                           " SELECT 'ann', '001-004', 300, '05 Mar 2024', '1.00' FROM n;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    // No file of this process may grow past what SQLite's shared memory
    // takes now, as on a full disk.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit full = before;
    full.rlim_cur = 32768;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    auto store = OpenScoreStore(file.string(), 1, error);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(store);
    EXPECT_EQ(error.find("no transaction"), std::string::npos) << error;
    EXPECT_NE(error.find("disk"), std::string::npos) << error;
    store.reset();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) fs::remove(file.string() + suffix);
}

}  // namespace
