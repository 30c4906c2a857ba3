#include "kova_cipher.h"
#include "kova_fixture.h"

namespace {

std::vector<std::string> Requests() {
    std::vector<std::string> out;
    for (const KovaCommand& c : KovaQueue) out.push_back(c.request);
    return out;
}

TEST_F(KovaTest, RequestsAreTaggedWithTheTick) {
    KOVA__Send(1, "list.php", 0, 0);
    KOVA__Send(1, "list.php?a=1", 0, 0);
    FakeNow = 4294967295u;
    KOVA__Send(1, "x", 0, 0);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"list.php?KOVA_id=1000", "list.php?a=1&KOVA_id=1000",
                                                    "x?KOVA_id=4294967295"}));
    EXPECT_EQ(KOVA_GetNumberOfCommandsInQueue(), 3);
}

TEST_F(KovaTest, EncipheredRequestKeepsTheScriptName) {
    KOVA__SetKey("t41vb7kQz81Rk3m");
    KOVA__Send(2, "orbivore_win.php?option=getscore&nbscore=25", 1, 0);
    KOVA__Send(2, "plain.php", 1, 0);
    const std::string head = "orbivore_win.php?KOVA_argEncrypted=";
    const std::string sent = KovaQueue.front().request;
    ASSERT_EQ(sent.substr(0, head.size()), head);
    EXPECT_EQ(KovaDecipher(sent.substr(head.size()), "t41vb7kQz81Rk3m"), "option=getscore&nbscore=25&KOVA_id=1000");
    EXPECT_EQ(KovaQueue.back().request, "plain.php?KOVA_argEncrypted=" + KovaEncipher("KOVA_id=1000", "t41vb7kQz81Rk3m"));
}

TEST_F(KovaTest, SendKeyEnciphersAndOddEncryptValuesStillEncipher) {
    KOVA_SetKeySend("send");
    KOVA_SetKeyReceive("receive");
    KOVA__Send(1, "a?b", 7, 0);
    EXPECT_EQ(KovaQueue.front().request, "a?KOVA_argEncrypted=" + KovaEncipher("b&KOVA_id=1000", "send"));
    EXPECT_EQ(KovaSettings.keyReceive, "receive");
}

TEST_F(KovaTest, FrontInsertsAheadAndServerIsTakenAtSend) {
    KOVA_SetServer("http://first");
    KOVA__Send(1, "a", 0, 0);
    KOVA__SetServer("http://second");
    KOVA__Send(2, "b", 0, 1);
    ASSERT_EQ(KovaQueue.size(), 2u);
    EXPECT_EQ(KovaQueue.front().id, 2);
    EXPECT_EQ(KovaQueue.front().server, "http://second");
    EXPECT_EQ(KovaQueue.back().server, "http://first");
    EXPECT_EQ(KovaQueue.back().state, KovaStateWaiting);
}

TEST_F(KovaTest, CancelDropsWaitingCommandsOfTheIdAndOfMinusOne) {
    KOVA__Send(3, "a", 0, 0);
    KOVA__Send(-1, "b", 0, 0);
    KOVA__Send(4, "c", 0, 0);
    KOVA__Send(3, "d", 0, 0);
    KovaQueue.back().state = KovaStateRunning;  // a running command stays
    EXPECT_EQ(KOVA_Cancel(3), 0);
    ASSERT_EQ(KovaQueue.size(), 2u);
    EXPECT_EQ(KovaQueue.front().id, 4);
    EXPECT_EQ(KovaQueue.back().state, KovaStateRunning);
    KovaQueue.clear();
}

TEST_F(KovaTest, NothingReceivedMeansEmptyResults) {
    EXPECT_EQ(KOVA_Receive(1), 0);
    EXPECT_EQ(KOVA_GetState(), 0);
    EXPECT_EQ(KOVA_GetNbOfLines(), 0);
    EXPECT_STREQ(KOVA__GetResult(-1), "");
    EXPECT_STREQ(KOVA__GetResult(1), "");
    KOVA__Send(1, "a", 0, 0);
    EXPECT_EQ(KOVA_Receive(1), 0);  // still waiting
}

TEST_F(KovaTest, NullTextsCountAsEmpty) {
    KOVA_SetServer(nullptr);
    KOVA__SetKey(nullptr);
    KOVA__SetDelimiter(nullptr);
    KOVA__Send(1, nullptr, 1, 0);
    EXPECT_EQ(KovaSettings.delimiter, "");
    EXPECT_EQ(KovaQueue.front().request, "?KOVA_argEncrypted=" + KovaEncipher("KOVA_id=1000", ""));
}

TEST_F(KovaTest, SettingTheServerLeavesARunningWorkerAlone) {
    KovaThreadedWorker.state = KovaStateRunning;
    KOVA_SetServer("http://x");
    EXPECT_EQ(KovaThreadedWorker.state.load(), KovaStateRunning);
    KovaThreadedWorker.state = KovaStateRequestFailed;
    KOVA_SetServer("http://x");
    EXPECT_EQ(KovaThreadedWorker.state.load(), KovaStateInitial);
}

TEST_F(KovaTest, UncollectedResultsGoAfterFiveMinutes) {
    // A refused scheme fails without touching the network.
    KOVA_SetServer("file:///etc");
    KOVA__Send(1, "passwd", 0, 0);
    KOVA__Send(2, "group", 0, 0);
    Pump();
    ASSERT_EQ(KovaQueue.size(), 2u);
    EXPECT_EQ(StateOfFirst(), KovaStateNoConnection);
    FakeNow += KovaUncollectedMs;
    KOVA_Update();
    EXPECT_EQ(KOVA_GetNumberOfCommandsInQueue(), 2);
    FakeNow += 1;
    KOVA_Update();
    EXPECT_EQ(KOVA_GetNumberOfCommandsInQueue(), 0);
    EXPECT_FALSE(Exists("CacheFileKOVA.txt"));
}

TEST_F(KovaTest, FailedCommandIsReceivedWithItsState) {
    KOVA_SetServer("ftp://127.0.0.1");
    KOVA__Send(5, "x", 0, 0);
    Pump();
    EXPECT_EQ(KOVA_Receive(6), 0);
    EXPECT_EQ(KOVA_Receive(5), 1);
    EXPECT_EQ(KOVA_GetState(), KovaStateNoConnection);
    EXPECT_EQ(KOVA_GetNbOfLines(), 0);
    EXPECT_STREQ(KOVA__GetResult(-1), "");
    EXPECT_EQ(KOVA_GetNumberOfCommandsInQueue(), 0);
}

}  // namespace
