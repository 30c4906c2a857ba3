// An upload answered "ok" is stored for good: the server is killed with
// SIGKILL in the middle of a burst of uploads, then the database is read.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "store_suite.h"

namespace {

using orbivore_test::StoreSuite;

// Starts the program on the database; its pid, and its port from the line
// it prints once it serves.
pid_t StartProgram(const std::string& database, int& port) {
    int out[2];
    if (pipe(out) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], 2);
        ::close(out[0]);
        execl(ORBIVORE_SCORES_PATH, ORBIVORE_SCORES_PATH, "--port", "0", "--quiet", "--uploads-per-minute", "0",
              database.c_str(), nullptr);
        _exit(127);
    }
    ::close(out[1]);
    char line[512] = "";
    FILE* said = fdopen(out[0], "r");
    const char* at = std::fgets(line, sizeof line, said) ? std::strstr(line, "127.0.0.1:") : nullptr;
    if (!at || std::sscanf(at + 10, "%d", &port) != 1) port = 0;
    std::fclose(said);
    return child;
}

TEST_P(StoreSuite, AnUploadAnsweredOkSurvivesSigkill) {
    CloseScoreServer(server);
    int port = 0;
    const pid_t child = StartProgram(database, port);
    ASSERT_GT(child, 0);
    ASSERT_GT(port, 0) << "the server did not start";
    // Each client uploads one after another, so at most its latest upload
    // is in flight when the server dies.
    constexpr int Clients = 8;
    std::vector<int> answered(Clients, 0);
    std::atomic<int> total{0};
    std::atomic<bool> killed{false};
    std::vector<std::thread> clients;
    for (int c = 0; c < Clients; ++c)
        clients.emplace_back([&, c] {
            for (int n = 1; !killed.load(); ++n) {
                const HttpAnswer a = Fetch(port, "GET", UploadTarget("k" + std::to_string(c), n), "127.0.0.1", 2000);
                if (a.status != 200 || a.body != "ok\n") break;
                answered[c] = n;
                ++total;
            }
        });
    while (total.load() < 400) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    killed.store(true);
    for (std::thread& t : clients) t.join();
    waitpid(child, nullptr, 0);

    std::string error;
    auto store = OpenScoreStore(database, 1, error);
    ASSERT_TRUE(store) << error;
    EXPECT_GE(store->Count(), total.load());
    EXPECT_LE(store->Count(), total.load() + Clients);
    std::vector<ScoreEntry> top;
    ASSERT_TRUE(store->Top(Clients, top));
    ASSERT_EQ(top.size(), size_t(Clients));
    for (const ScoreEntry& e : top) EXPECT_GE(e.score, answered.at(std::stoi(e.name.substr(1)))) << e.name;
}

}  // namespace
