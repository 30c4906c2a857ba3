#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "kova.h"
#include "kova_cipher.h"
#include "score_server.h"

namespace {

const std::string Key = "t41vb7kQz81Rk3m";

std::string Upload(const std::string& user, int point) {
    return "option=addscore&user=" + user + "&level=001-004&point=" + std::to_string(point) +
           "&date=05 Mar 2024&version=1.00&mz_ip=127.0.0.1&platform=windows";
}

std::string Target(const std::string& script, const std::string& query) {
    return "/scores/" + script + "?KOVA_argEncrypted=" + KovaEncipher(query + "&KOVA_id=42", Key);
}

// A score server on a free loopback port with a fresh database, run by the
// test on a thread of its own.
class ScoreServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::string pattern = (previous / "scores-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        std::filesystem::current_path(folder);
        ScoreServerConfig config;
        config.port = 0;
        config.database = (folder / "scores.db").string();
        config.newestVersion = "1.10";
        std::string error;
        ASSERT_TRUE(SetUpScoreServer(server, config, error)) << error;
        thread = std::thread([this] { RunScoreServer(server); });
        while (!server.http.is_running()) std::this_thread::yield();
    }
    void TearDown() override {
        StopScoreServer(server);
        if (thread.joinable()) thread.join();
        CloseScoreServer(server);
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    httplib::Result Get(const std::string& target) {
        httplib::Client client("127.0.0.1", server.port);
        return client.Get(target.c_str());
    }

    std::string Body(const std::string& target, int status = 200) {
        auto res = Get(target);
        if (!res) return "<no reply>";
        EXPECT_EQ(res->status, status) << target.substr(0, 80);
        return res->body;
    }

    ScoreServer server;
    std::thread thread;
    std::filesystem::path previous, folder;
};

TEST_F(ScoreServerTest, StoresAndListsTheTopScores) {
    EXPECT_EQ(Body(Target("orbivore_win.php", Upload("ann", 300))), "ok\n");
    Body(Target("orbivore_win.php", Upload("bob", 900)));
    Body(Target("orbivore_win.php", Upload("cy", 300)));
    EXPECT_EQ(Body(Target("orbivore_win.php", "option=getscore&nbscore=25")),
              "bob\n001-004\n900\nann\n001-004\n300\ncy\n001-004\n300\nend\n");
    EXPECT_EQ(Body(Target("orbivore_win.php", "option=getscore&nbscore=1")), "bob\n001-004\n900\nend\n");
    EXPECT_EQ(Body(Target("VersionCheck.php", "option=getversion&nbscore=80")), "orbivore\n1.10\n");
}

TEST_F(ScoreServerTest, ListsAtMostAHundred) {
    for (int n = 1; n <= 105; ++n) {
        ScoreEntry e{"p" + std::to_string(n), "001-001", n, "01 Jan 2024", "1.00"};
        ASSERT_TRUE(AddScore(server.store, e));
    }
    const std::string body = Body(Target("orbivore_win.php", "option=getscore&nbscore=500"));
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 301);
    EXPECT_EQ(body.substr(0, 15), "p105\n001-001\n10");
}

TEST_F(ScoreServerTest, MalformedRequestsStoreNothing) {
    const std::string good = KovaEncipher(Upload("ann", 5), Key);
    const std::vector<std::string> bad = {
        "/scores/orbivore_win.php?KOVA_argEncrypted=" + good.substr(1),
        "/scores/orbivore_win.php?KOVA_argEncrypted=" + good + "ZZ",
        "/scores/orbivore_win.php?option=addscore&user=ann&level=001-004&point=5",
        Target("orbivore_win.php", "option=addscore&user=ann&point=5"),
        Target("orbivore_win.php", Upload("x'); DELETE FROM scores; --", 5)),
        Target("orbivore_win.php", Upload(std::string(2000, 'a'), 5)),
        Target("VersionCheck.php", Upload("ann", 5)),
    };
    for (const std::string& target : bad) Body(target, 400);
    // Past the server's URL limit the request is refused before it is read.
    auto huge = Get(Target("orbivore_win.php", Upload(std::string(6000, 'a'), 5)));
    ASSERT_TRUE(huge);
    EXPECT_GE(huge->status, 400);
    Body("/scores/other.php?KOVA_argEncrypted=00", 400);
    Body("/elsewhere/orbivore_win.php", 404);
    EXPECT_EQ(CountScores(server.store), 0);
}

TEST_F(ScoreServerTest, ConcurrentClientsLoseNothing) {
    constexpr int Clients = 20, Each = 10;
    std::vector<std::thread> clients;
    std::atomic<int> answered{0};
    for (int c = 0; c < Clients; ++c) {
        clients.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", server.port);
            for (int n = 0; n < Each; ++n) {
                auto res = client.Get(Target("orbivore_win.php", Upload("c" + std::to_string(c), c * 100 + n)).c_str());
                if (res && res->status == 200) ++answered;
            }
        });
    }
    for (std::thread& t : clients) t.join();
    EXPECT_EQ(answered.load(), Clients * Each);
    EXPECT_EQ(CountScores(server.store), Clients * Each);
    std::vector<ScoreEntry> top;
    ASSERT_TRUE(TopScores(server.store, 1, top));
    EXPECT_EQ(top.at(0).score, (Clients - 1) * 100 + Each - 1);
}

// The game's own route: the network library sends, the server answers.
TEST_F(ScoreServerTest, TheLibraryUploadsAndDownloads) {
    KOVA__SetServer(("http://127.0.0.1:" + std::to_string(server.port) + "/scores").c_str());
    KOVA__SetKey(Key.c_str());
    KOVA__Send(1, ("orbivore_win.php?" + Upload("ann lee", 5300)).c_str(), 1, 0);
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
    EXPECT_EQ(lines, (std::vector<std::string>{"ann lee", "001-004", "5300", "end"}));
}

}  // namespace
