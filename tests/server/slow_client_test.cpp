// Clients that connect and then send slowly or nothing at all: they must
// not keep the server from answering everyone else, nor from stopping.
// Timeouts here are failure bounds only; the latencies are in the benchmarks.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "http_probe.h"
#include "score_queries.h"
#include "score_server.h"
#include "server_process.h"

namespace {

const std::string PartialRequest = "GET /scores/orbivore_win.php?KOVA_argEncrypted=";

// 500 connections from one address and 500 from fifty others, half of
// them idle and half stuck in the middle of their headers.
std::vector<int> Besiege(int port) {
    std::vector<int> held;
    auto hold = [&](const std::string& source, int count) {
        for (int n = 0; n < count; ++n) {
            const int fd = ConnectFrom(source, port);
            if (fd < 0) continue;
            if (n % 2) ::send(fd, PartialRequest.data(), PartialRequest.size(), MSG_NOSIGNAL);
            held.push_back(fd);
        }
    };
    hold("127.0.0.1", 500);
    for (int a = 2; a < 52; ++a) hold("127.0.0." + std::to_string(a), 10);
    return held;
}

void Release(std::vector<int>& fds) {
    for (const int fd : fds) ::close(fd);
    fds.clear();
}

class SlowClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        RaiseOpenFileLimit();
        config.port = 0;
        config.database = ":memory:";
        config.log = nullptr;
    }
    void TearDown() override { CloseScoreServer(server); }
    void Start() {
        std::string error;
        ASSERT_TRUE(SetUpScoreServer(server, config, error)) << error;
    }
    ScoreServerConfig config;
    ScoreServer server;
};

TEST_F(SlowClientTest, AThousandHeldConnectionsDoNotStarveAnotherClient) {
    Start();
    std::vector<int> held = Besiege(server.port);
    EXPECT_EQ(held.size(), 1000u);
    EXPECT_EQ(Fetch(server.port, "GET", UploadTarget("ann", 5), "127.0.0.200").status, 200);
    const HttpAnswer list = Fetch(server.port, "GET", ListTarget(), "127.0.0.201");
    EXPECT_EQ(list.status, 200);
    EXPECT_NE(list.body.find("ann\n"), std::string::npos);
    Release(held);
}

TEST_F(SlowClientTest, ConnectionsPerAddressAreCapped) {
    config.http.connectionsPerAddress = 8;
    Start();
    std::vector<int> held;
    for (int n = 0; n < 12; ++n) held.push_back(ConnectFrom("127.0.0.9", server.port));
    // Past the cap the server closes a connection as soon as it takes it.
    int answered = 0;
    const std::string request = "GET " + ListTarget() + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    for (const int fd : held)
        if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) > 0 && ReadAnswer(fd, 10000).status == 200)
            ++answered;
    EXPECT_GE(answered, 1);
    EXPECT_LE(answered, 8);
    EXPECT_EQ(Fetch(server.port, "GET", ListTarget(), "127.0.0.10").status, 200);
    Release(held);
}

// Headers trickling in a byte at a time keep an idle timer alive for ever;
// the deadline for headers does not move.
TEST_F(SlowClientTest, HeadersThatNeverCompleteAreCutOff) {
    config.http.headerSeconds = 1;
    Start();
    const int trickling = ConnectFrom("127.0.0.1", server.port);
    const int keptAlive = ConnectFrom("127.0.0.1", server.port);
    const std::string request = "GET " + ListTarget() + " HTTP/1.1\r\nHost: x\r\n\r\n";
    ASSERT_GT(::send(keptAlive, request.data(), request.size(), MSG_NOSIGNAL), 0);
    bool closed = false;
    for (size_t n = 0; n < 100 && !closed; ++n) {
        if (::send(trickling, &PartialRequest[n % PartialRequest.size()], 1, MSG_NOSIGNAL) != 1) break;
        closed = ClosedWithin(trickling, 200);
    }
    EXPECT_TRUE(closed);
    // A kept-alive connection owes its next request's headers in time too.
    EXPECT_TRUE(ClosedWithin(keptAlive, 20000));
    ::close(trickling);
    ::close(keptAlive);
}

// At the cap a new client makes room by pushing out the connection that has
// waited longest for headers, so a flood of slow connections cannot lock
// real clients out.
TEST_F(SlowClientTest, AtTheCapTheLongestWaitingConnectionMakesRoom) {
    config.http.connections = 40;
    config.http.connectionsPerAddress = 0;
    config.http.headerSeconds = config.http.idleSeconds = 600;
    Start();
    // Half again as many as the cap, idle or stuck in their headers.
    std::vector<int> held;
    for (int n = 0; n < 60; ++n) {
        held.push_back(ConnectFrom("127.0.0." + std::to_string(2 + n % 20), server.port));
        if (n % 2) ::send(held.back(), PartialRequest.data(), PartialRequest.size(), MSG_NOSIGNAL);
        // Accepted in this order, so the first is the longest waiting.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    for (int n = 0; n < 3; ++n) EXPECT_EQ(Fetch(server.port, "GET", ListTarget(), "127.0.0.200").status, 200);
    EXPECT_TRUE(ClosedWithin(held[0], 10000));
    Release(held);
}

// The program itself, held by a thousand connections, stops on SIGTERM and
// exits cleanly.
TEST_F(SlowClientTest, TermStopsTheServerWhateverClientsDo) {
    ServerProcess child;
    ASSERT_TRUE(StartServerProcess(child, {"--port", "0", "--quiet", ":memory:"})) << child.startLine;
    std::vector<int> held = Besiege(child.port);
    // A request in flight with its reply unread, too.
    const int reader = ConnectFrom("127.0.0.99", child.port);
    const std::string request = "GET " + ListTarget() + " HTTP/1.1\r\nHost: x\r\n\r\n";
    ::send(reader, request.data(), request.size(), MSG_NOSIGNAL);
    EXPECT_EQ(StopServerProcess(child), 0);
    ::close(reader);
    Release(held);
}

}  // namespace
