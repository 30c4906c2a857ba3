#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "held_store.h"
#include "http_probe.h"
#include "kova.h"
#include "score_queries.h"
#include "score_server.h"
#include "server_process.h"

namespace {

// A score server on a free loopback port with a fresh in-memory database.
class ScoreServerTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override {
        CloseScoreServer(server);
        if (log) std::fclose(log);
    }
    void Start() {
        config.port = 0;
        config.database = ":memory:";
        config.newestVersion = "1.10";
        config.log = log;
        std::string error;
        ASSERT_TRUE(SetUpScoreServer(server, config, error)) << error;
    }
    void Restart() {
        CloseScoreServer(server);
        Start();
    }

    // The running server's store replaced by one the test can stop.
    HeldStore* HoldStore() {
        auto* held = new HeldStore;
        server.store.reset(held);
        server.board.store = held;
        return held;
    }

    std::string Body(const std::string& target, int status = 200, const std::string& method = "GET") {
        const HttpAnswer a = Fetch(server.port, method, target);
        EXPECT_EQ(a.status, status) << method << " " << target.substr(0, 80);
        return a.body;
    }

    ScoreServerConfig config;
    ScoreServer server;
    FILE* log = nullptr;
};

TEST_F(ScoreServerTest, AnswersTheVersionAndOnlyGetStores) {
    EXPECT_EQ(Body(ScoresTarget("VersionCheck.php", "option=getversion&nbscore=80")), "orbivore\n1.10\n");
    // HEAD answers like GET, without a body and without storing.
    EXPECT_EQ(Body(UploadTarget("ann", 5), 200, "HEAD"), "");
    for (const char* method : {"POST", "PUT", "DELETE", "OPTIONS"}) Body(UploadTarget("ann", 5), 405, method);
    Body("/elsewhere/orbivore_win.php", 404);
    Body("/scores/other.php?KOVA_argEncrypted=00", 400);
    EXPECT_EQ(server.store->Count(), 0);
}

TEST_F(ScoreServerTest, MalformedRequestsStoreNothing) {
    const std::string good = KovaEncipher(UploadQuery("ann", 5), GameKey);
    const std::vector<std::string> bad = {
        "/scores/orbivore_win.php?KOVA_argEncrypted=" + good.substr(1),
        "/scores/orbivore_win.php?KOVA_argEncrypted=" + good + "ZZ",
        "/scores/orbivore_win.php?option=addscore&user=ann&level=001-004&point=5",
        ScoresTarget("orbivore_win.php", "option=addscore&user=ann&point=5"),
        ScoresTarget("orbivore_win.php", UploadQuery("x'); DELETE FROM scores; --", 5)),
        ScoresTarget("orbivore_win.php", UploadQuery(std::string(2000, 'a'), 5)),
        ScoresTarget("VersionCheck.php", UploadQuery("ann", 5)),
        // Over the points ceiling (default: the eight digits the game shows).
        UploadTarget("ann", 100000000),
        // More than the levels played can hold.
        ScoresTarget("orbivore_win.php", UploadQuery("ann", 100001, "007-007")),
        ScoresTarget("orbivore_win.php", UploadQuery("ann", 200001, "CLA-002")),
    };
    for (const std::string& target : bad) Body(target, 400);
    // Past the connection's memory the request is refused before it is read.
    EXPECT_GE(Fetch(server.port, "GET", UploadTarget(std::string(20000, 'a'), 5)).status, 400);
    EXPECT_EQ(server.store->Count(), 0);
    // Level 100 is played again and again once classic mode is unlocked.
    Body(ScoresTarget("orbivore_win.php", UploadQuery("ann", 99999999, "001-100")));
    Body(ScoresTarget("orbivore_win.php", UploadQuery("ann", 300000, "005-007")));
}

TEST_F(ScoreServerTest, UploadsOverTheLimitAreRefusedPerAddress) {
    config.uploadsPerMinute = 3;
    Restart();
    for (int n = 1; n <= 3; ++n) Body(UploadTarget("ann", n));
    // A repeat counts too: the limit is on requests, not on rows.
    Body(UploadTarget("ann", 1), 429);
    Body(UploadTarget("ann", 4), 429);
    EXPECT_EQ(Fetch(server.port, "GET", UploadTarget("bob", 7), "127.0.0.2").status, 200);
    // Lists are not uploads.
    Body(ListTarget());
    EXPECT_EQ(server.store->Count(), 4);
}

TEST_F(ScoreServerTest, BehindAProxyTheRealAddressCounts) {
    config.uploadsPerMinute = 1;
    config.behindProxy = true;
    Restart();
    auto viaProxy = [&](const std::string& client, const std::string& peer) {
        const int fd = ConnectFrom(peer, server.port);
        const std::string request = "GET " + UploadTarget("ann", client.size()) +
                                    " HTTP/1.1\r\nHost: x\r\nX-Real-IP: " + client + "\r\nConnection: close\r\n\r\n";
        EXPECT_GT(::send(fd, request.data(), request.size(), MSG_NOSIGNAL), 0);
        const int status = ReadAnswer(fd, 10000).status;
        ::close(fd);
        return status;
    };
    EXPECT_EQ(viaProxy("203.0.113.7", "127.0.0.1"), 200);
    EXPECT_EQ(viaProxy("203.0.113.7", "127.0.0.1"), 429);
    EXPECT_EQ(viaProxy("203.0.113.80", "127.0.0.1"), 200);
    // A header that is no address counts as the proxy itself.
    EXPECT_EQ(viaProxy("203.0.113.99 x", "127.0.0.1"), 200);
    EXPECT_EQ(viaProxy("203.0.113.98 x", "127.0.0.1"), 429);
    // On "::" the proxy's IPv4 loopback peer shows as ::ffff:127.0.0.1.
    config.bindAddress = "::";
    Restart();
    EXPECT_EQ(viaProxy("198.51.100.7", "127.0.0.1"), 200);
    EXPECT_EQ(viaProxy("198.51.100.8", "127.0.0.1"), 200);
    EXPECT_EQ(viaProxy("198.51.100.8", "127.0.0.1"), 429);
}

// A database that is stuck or away holds up no request that does not need
// it, and an upload it did not store costs the client nothing.
TEST_F(ScoreServerTest, AStuckStoreHoldsUpNoOneAndCostsNoAllowance) {
    config.uploadsPerMinute = 2;
    config.http.workSeconds = 1;
    Restart();
    HeldStore* held = HoldStore();
    held->Set(HeldStore::Mode::Stuck);
    // More uploads and lists than there are threads, each from its own client.
    std::vector<std::thread> clients;
    std::vector<int> statuses(12);
    for (int n = 0; n < 12; ++n)
        clients.emplace_back([&, n] {
            const std::string target = n % 2 ? ListTarget() : UploadTarget("ann", 5);
            statuses[n] = Fetch(server.port, "GET", target, "127.0.0." + std::to_string(10 + n), 30000).status;
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const HttpAnswer version = Fetch(server.port, "GET", ScoresTarget("VersionCheck.php", "option=getversion"));
    for (std::thread& t : clients) t.join();
    held->Set(HeldStore::Mode::Away);
    EXPECT_EQ(version.status, 200);
    EXPECT_EQ(statuses, std::vector<int>(12, 503));
    for (int n = 0; n < 3; ++n) Body(UploadTarget("bob", n + 1), 503);
    held->Set(HeldStore::Mode::Serving);
    Body(UploadTarget("bob", 4));
    Body(UploadTarget("bob", 5));
    Body(UploadTarget("bob", 6), 429);
    // The stuck uploads were given back too.
    for (int n = 0; n < 2; ++n) EXPECT_EQ(Fetch(server.port, "GET", UploadTarget("ann", 7 + n), "127.0.0.10").status, 200);
}

// SIGTERM lets a request in flight have its answer.
TEST_F(ScoreServerTest, StoppingLetsTheRequestsInFlightFinish) {
    HeldStore* held = HoldStore();
    held->Set(HeldStore::Mode::Stuck);
    std::thread client([&] { Body(UploadTarget("ann", 5)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        held->Set(HeldStore::Mode::Serving);
    });
    CloseScoreServer(server, std::chrono::seconds(10));
    client.join();
    release.join();
}

// One connection carries many requests, pipelined ones too, in order.
TEST_F(ScoreServerTest, KeepsConnectionsAliveAndAnswersPipelinedRequests) {
    auto exchange = [&](const std::string& requests) {
        const int fd = ConnectFrom("127.0.0.1", server.port);
        EXPECT_EQ(::send(fd, requests.data(), requests.size(), MSG_NOSIGNAL), ssize_t(requests.size()));
        const HttpAnswer answer = ReadAnswer(fd, 10000);  // its body: all after the first header block
        ::close(fd);
        return answer;
    };
    auto request = [](const std::string& target, const std::string& headers = "Host: x\r\n") {
        return "GET " + target + " HTTP/1.1\r\n" + headers + "\r\n";
    };
    const std::string rest = exchange(request(ListTarget()) + request(ScoresTarget("VersionCheck.php", "option=getversion")) +
                                      request(UploadTarget("ann", 5), "Host: x\r\nConnection: close\r\n")).body;
    EXPECT_NE(rest.find("\r\n\r\norbivore\n1.10\nHTTP/1.1 200 OK\r\n"), std::string::npos) << rest;
    EXPECT_EQ(rest.find("Connection: close"), rest.rfind("Connection: close")) << rest;
    EXPECT_EQ(rest.rfind("\r\n\r\nok\n"), rest.size() - 7) << rest;
    EXPECT_EQ(server.store->Count(), 1);
    // HTTP/1.1 without Host: one refusal, and the connection is closed.
    const HttpAnswer refused = exchange(request(ListTarget(), ""));
    EXPECT_EQ(refused.status, 400);
    EXPECT_EQ(refused.body.find("\r\n\r\n"), std::string::npos) << refused.body;
}

TEST(UploadLimiter, AnIpv6SubnetIsOneClientAndIpv4StaysApart) {
    UploadLimiter limiter;
    limiter.perMinute = 1;
    const auto now = UploadLimiter::Clock::now();
    EXPECT_TRUE(TakeUpload(limiter, "2001:db8:1:2::1", now));
    EXPECT_FALSE(TakeUpload(limiter, "2001:db8:1:2:ffff::9", now));
    EXPECT_TRUE(TakeUpload(limiter, "2001:db8:1:3::1", now));
    EXPECT_TRUE(TakeUpload(limiter, "::ffff:192.0.2.1", now));
    EXPECT_TRUE(TakeUpload(limiter, "::ffff:192.0.2.2", now));
    // The bucket refills at the limit's rate.
    EXPECT_TRUE(TakeUpload(limiter, "2001:db8:1:2::1", now + std::chrono::seconds(61)));
}

TEST_F(ScoreServerTest, LogsOneLinePerRequestWithoutTheQuery) {
    char* text = nullptr;
    size_t size = 0;
    log = open_memstream(&text, &size);
    Restart();
    const std::string upload = UploadTarget("ann", 5);
    Body(upload);
    Body("/scores/orbivore_win.php?KOVA_argEncrypted=00", 400);
    Body(upload, 405, "POST");
    CloseScoreServer(server);
    std::fflush(log);
    const std::string lines(text, size);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3) << lines;
    EXPECT_NE(lines.find("Z 127.0.0.1 GET addscore 200 "), std::string::npos) << lines;
    EXPECT_NE(lines.find(" 127.0.0.1 GET - 400 "), std::string::npos) << lines;
    EXPECT_NE(lines.find(" 127.0.0.1 POST - 405 "), std::string::npos) << lines;
    EXPECT_EQ(lines.find(upload.substr(upload.find('=') + 1, 16)), std::string::npos);
    EXPECT_EQ(lines.find(GameKey), std::string::npos);
    std::fclose(log);
    log = nullptr;
    std::free(text);
}

TEST_F(ScoreServerTest, ASecondServerOnATakenPortRefusesToStart) {
    ScoreServerConfig again = config;
    again.port = server.port;
    ScoreServer second;
    std::string error;
    EXPECT_FALSE(SetUpScoreServer(second, again, error));
    EXPECT_NE(error.find("already in use"), std::string::npos) << error;

    // The program says so in one line and exits non-zero.
    const std::string command = std::string(ORBIVORE_SCORES_PATH) + " --port " + std::to_string(server.port) +
                                " :memory: 2>&1";
    FILE* out = popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    char line[512] = "";
    std::string said;
    while (std::fgets(line, sizeof line, out)) said += line;
    const int status = pclose(out);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("already in use"), std::string::npos) << said;
}

// The program on "::" names its address in brackets, lives through the
// signals an operator may send by mistake, and on SIGHUP reads its
// deny-list again and writes its log to a fresh file once the old one has
// been moved away (log rotation).
TEST(ScoreProgram, SurvivesStraySignalsAndReloadsOnHup) {
    const std::string stem = (std::filesystem::temp_directory_path() / "orbivore-").string() + std::to_string(getpid());
    const std::filesystem::path log = stem + ".log", rotated = stem + ".log.1", denied = stem + ".deny";
    std::ofstream(denied) << "zed\n";
    ServerProcess child;
    ASSERT_TRUE(StartServerProcess(child, {"--bind", "::", "--port", "0", "--log", log.string(), "--deny-names",
                                           denied.string(), ":memory:"}))
        << child.startLine;
    EXPECT_NE(child.startLine.find("http://[::]:" + std::to_string(child.port) + "/scores"), std::string::npos)
        << child.startLine;
    for (const int signal : {SIGHUP, SIGUSR1, SIGUSR2, SIGQUIT}) kill(child.pid, signal);
    EXPECT_EQ(Fetch(child.port, "GET", UploadTarget("ann", 5)).status, 200);
    std::filesystem::rename(log, rotated);
    std::ofstream(denied) << "ann\n";
    kill(child.pid, SIGHUP);
    // The reload runs on the server's own time (the log last); the wait is bounded.
    for (int tries = 0; tries < 100 && !std::filesystem::exists(log); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Fetch(child.port, "GET", UploadTarget("ann", 6)).status, 400);
    EXPECT_EQ(StopServerProcess(child), 0);
    auto lines = [](const std::filesystem::path& path) {
        std::ifstream in(path);
        return std::count(std::istreambuf_iterator<char>(in), {}, '\n');
    };
    EXPECT_EQ(lines(rotated), 1);
    EXPECT_EQ(lines(log), 1);
    for (const auto& file : {log, rotated, denied}) std::filesystem::remove(file);
}

// The game's own route: the network library sends, the server answers.
TEST_F(ScoreServerTest, TheLibraryUploadsAndDownloads) {
    KOVA__SetServer(("http://127.0.0.1:" + std::to_string(server.port) + "/scores").c_str());
    KOVA__SetKey(GameKey.c_str());
    KOVA__Send(1, ("orbivore_win.php?" + UploadQuery("ann lee", 5300)).c_str(), 1, 0);
    KOVA__Send(2, "orbivore_win.php?option=getscore&nbscore=25", 1, 0);
    std::vector<std::string> lines;
    int uploadState = 0;
    while (KOVA_GetNumberOfCommandsInQueue() != 0) {
        KOVA_Update();
        if (KOVA_Receive(1) == 1) uploadState = KOVA_GetState();
        if (KOVA_Receive(2) == 1 && KOVA_GetState() == 2)
            for (int n = 1; n <= KOVA_GetNbOfLines(); ++n) lines.push_back(KOVA__GetResult(n));
        std::this_thread::yield();
    }
    EXPECT_EQ(uploadState, 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"-", "000-000", "0", "ann lee", "001-004", "5300", "end"}));
}

}  // namespace
