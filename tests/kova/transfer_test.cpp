#include <algorithm>
#include <cctype>

#include "kova_cipher.h"
#include "kova_fixture.h"
#include "loopback_server.h"

namespace {

const char* const Key = "t41vb7kQz81Rk3m";

class KovaTransferTest : public KovaTest {
protected:
    void SetUp() override {
        KovaTest::SetUp();
        server.Route("/scores/plain.php", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("\n\nalpha\nbeta\n\ngamma\n", "text/plain");
        });
        server.Route("/scores/echo.php", [](const httplib::Request& q, httplib::Response& r) {
            const std::string hex = q.get_param_value("KOVA_argEncrypted");
            r.set_content(hex.empty() ? q.target : KovaDecipher(hex, Key), "text/plain");
        });
        server.Route("/scores/secret.php", [](const httplib::Request&, httplib::Response& r) {
            std::string hex = KovaEncipher("ann\r\n001-004\n5300\n", Key);
            std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) { return char(std::tolower(c)); });
            r.set_content("ffff" + hex, "text/plain");
        });
        server.Route("/scores/huge.php", [](const httplib::Request&, httplib::Response& r) {
            r.set_content(std::string(KovaTransferLimits.maxBodyBytes + 1, 'x'), "text/plain");
        });
        server.Route("/scores/stream.php", [](const httplib::Request&, httplib::Response& r) {
            r.set_chunked_content_provider("text/plain", [](size_t, httplib::DataSink& sink) {
                const std::string block(64 * 1024, 'y');
                for (int n = 0; n < 40; ++n)
                    if (!sink.write(block.data(), block.size())) return false;
                sink.done();
                return true;
            });
        });
        server.HoldingRoute("/scores/hold.php");
        server.Start();
        KOVA__SetServer((server.Url() + "/scores").c_str());
        KOVA__SetKey(Key);
    }
    void TearDown() override {
        server.Stop();
        KovaTest::TearDown();
    }

    // Sends one command, runs it and receives it; returns its state.
    int32_t RunOne(const char* request, int32_t encrypt = 0) {
        KOVA__Send(7, request, encrypt, 0);
        Pump();
        EXPECT_EQ(KOVA_Receive(7), 1);
        return KOVA_GetState();
    }

    LoopbackServer server;
};

TEST_F(KovaTransferTest, PlainReplyComesBackAsLines) {
    ASSERT_EQ(RunOne("plain.php"), KovaStateDone);
    ASSERT_EQ(KOVA_GetNbOfLines(), 4);
    EXPECT_STREQ(KOVA__GetResult(1), "alpha");
    EXPECT_STREQ(KOVA__GetResult(3), "");
    EXPECT_STREQ(KOVA__GetResult(4), "gamma");
    const std::string whole = "alpha\rbeta\r\rgamma";
    EXPECT_EQ(KOVA__GetResult(-1), whole);
    EXPECT_EQ(KOVA__GetResult(0), whole);
    EXPECT_EQ(KOVA__GetResult(5), whole);
    EXPECT_FALSE(Exists("CacheFileKOVA.txt"));
    EXPECT_EQ(KOVA_GetNumberOfCommandsInQueue(), 0);
}

TEST_F(KovaTransferTest, EncipheredQueryReachesTheServerWhole) {
    ASSERT_EQ(RunOne("echo.php?option=addscore&user=ann lee&date=05 Mar 2024", 1), KovaStateDone);
    EXPECT_STREQ(KOVA__GetResult(-1), "option=addscore&user=ann lee&date=05 Mar 2024&KOVA_id=1000");
    const std::string target = server.Targets().at(0);
    EXPECT_EQ(target.rfind("/scores/echo.php?KOVA_argEncrypted=", 0), 0u) << target;
}

TEST_F(KovaTransferTest, SpacesTravelAsPercentTwenty) {
    ASSERT_EQ(RunOne("echo.php?name=a b+c"), KovaStateDone);
    EXPECT_STREQ(KOVA__GetResult(-1), "/scores/echo.php?name=a%20b+c&KOVA_id=1000");
}

TEST_F(KovaTransferTest, MarkedReplyIsDeciphered) {
    ASSERT_EQ(RunOne("secret.php"), KovaStateDone);
    ASSERT_EQ(KOVA_GetNbOfLines(), 3);
    EXPECT_STREQ(KOVA__GetResult(1), "ann\r");
    EXPECT_STREQ(KOVA__GetResult(2), "001-004");
    EXPECT_STREQ(KOVA__GetResult(3), "5300");
}

TEST_F(KovaTransferTest, CommandsRunOneAfterAnother) {
    KOVA__Send(1, "hold.php", 0, 0);
    KOVA__Send(2, "plain.php", 0, 0);
    KOVA_Update();
    server.WaitForRequests(1);
    for (int n = 0; n < 5; ++n) KOVA_Update();
    EXPECT_EQ(KOVA_Receive(1), 0);  // running
    EXPECT_EQ(KOVA_Receive(2), 0);  // waiting
    EXPECT_EQ(KovaQueue.back().state, KovaStateWaiting);
    EXPECT_EQ(server.Targets().size(), 1u);
    server.Release();
    Pump();
    EXPECT_EQ(KOVA_Receive(2), 1);
    EXPECT_EQ(KOVA_GetNbOfLines(), 4);
    EXPECT_EQ(KOVA_Receive(1), 1);
    EXPECT_STREQ(KOVA__GetResult(1), "late");
    EXPECT_EQ(server.MaxConcurrent(), 1);
}

// Polls the way the game does, never joining the worker, so the sanitizer
// build sees the caller and the worker meet only through the state word.
TEST_F(KovaTransferTest, PolledLikeTheGame) {
    KOVA__Send(1, "plain.php", 1, 0);
    KOVA__Send(2, "secret.php", 1, 0);
    KOVA__Send(3, "missing.php", 1, 0);
    int lines[4] = {-1, -1, -1, -1}, states[4] = {0, 0, 0, 0};
    while (KOVA_GetNumberOfCommandsInQueue() != 0) {
        KOVA_Update();
        for (int id = 1; id <= 3; ++id) {
            if (KOVA_Receive(id) != 1) continue;
            states[id] = KOVA_GetState();
            lines[id] = KOVA_GetNbOfLines();
        }
        std::this_thread::yield();
    }
    EXPECT_EQ(states[1], KovaStateDone);
    EXPECT_EQ(lines[1], 4);
    EXPECT_EQ(states[2], KovaStateDone);
    EXPECT_EQ(lines[2], 3);
    EXPECT_EQ(states[3], KovaStateRequestFailed);
    EXPECT_EQ(lines[3], 0);
}

TEST_F(KovaTransferTest, ServerOfTheCommandIsUsed) {
    KOVA__Send(7, "plain.php", 0, 0);
    KOVA_SetServer("http://127.0.0.1:1");
    Pump();
    ASSERT_EQ(KOVA_Receive(7), 1);
    EXPECT_EQ(KOVA_GetState(), KovaStateDone);
}

TEST_F(KovaTransferTest, FailuresEndInTheirStatesAndTheQueueGoesOn) {
    EXPECT_EQ(RunOne("missing.php"), KovaStateRequestFailed);
    EXPECT_STREQ(KOVA__GetResult(-1), "");
    EXPECT_EQ(KOVA_GetNbOfLines(), 0);
    EXPECT_EQ(RunOne("huge.php"), KovaStateLocalFailure);
    EXPECT_EQ(RunOne("stream.php"), KovaStateLocalFailure);
    EXPECT_FALSE(Exists("CacheFileKOVA.txt"));
    EXPECT_EQ(RunOne("plain.php"), KovaStateDone);
    EXPECT_EQ(KOVA_GetNbOfLines(), 4);

    LoopbackServer gone;
    gone.Start();
    const std::string url = gone.Url();
    gone.Stop();
    KOVA_SetServer(url.c_str());
    EXPECT_EQ(RunOne("plain.php"), KovaStateNoConnection);
    KOVA_SetServer("file:///etc");
    EXPECT_EQ(RunOne("passwd"), KovaStateNoConnection);
}

TEST_F(KovaTransferTest, SilentServerTimesOut) {
    KovaTransferLimits.totalTimeoutMs = 300;
    EXPECT_EQ(RunOne("hold.php"), KovaStateRequestFailed);
    server.Release();
    KovaTransferLimits.totalTimeoutMs = 4000;
    EXPECT_EQ(RunOne("plain.php"), KovaStateDone);
}

TEST_F(KovaTransferTest, ImmediateRequestNeedsNoQueue) {
    KOVA__Send(KovaImmediateId, "plain.php", 0, 0);
    EXPECT_EQ(KOVA_GetNumberOfCommandsInQueue(), 0);
    EXPECT_EQ(KOVA_GetState(), KovaStateDone);
    EXPECT_EQ(KOVA_GetNbOfLines(), 4);
    EXPECT_STREQ(KOVA__GetResult(2), "beta");
    EXPECT_FALSE(Exists("CacheFileKOVA_NT.txt"));
    KOVA__Send(KovaImmediateId, "missing.php", 1, 0);
    EXPECT_EQ(KOVA_GetState(), KovaStateRequestFailed);
    EXPECT_STREQ(KOVA__GetResult(2), "");
}

}  // namespace
