// The lists as players see them, on both back-ends: one row per player,
// every name the game can send, names hidden while servers run, and the
// deny-list.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "program_run.h"
#include "store_suite.h"

namespace {

using orbivore_test::StoreSuite;

std::string Upload(const std::string& user, long long point, const std::string& level = "001-004",
                   const std::string& date = "05 Mar 2024") {
    return ScoresTarget("orbivore_win.php", "option=addscore&user=" + user + "&level=" + level + "&point=" +
                                                std::to_string(point) + "&date=" + date +
                                                "&version=1.00&mz_ip=127.0.0.1&platform=windows");
}

std::string Group(const std::string& name, const std::string& level, int points) {
    return name + "\n" + level + "\n" + std::to_string(points) + "\n";
}

std::string Scores(const std::string& arguments) { return std::string(ORBIVORE_SCORES_PATH) + " " + arguments; }

TEST_P(StoreSuite, ListsEachPlayerOnceWithTheirBestAndKeepsEveryUpload) {
    Get(Upload("ann", 300));
    Get(Upload("ann", 900, "001-009", "06 Mar 2024"));
    // Equal to her best, later: the earlier upload stays the listed one.
    Get(Upload("ann", 900, "002-009", "07 Mar 2024"));
    Get(Upload("bob", 500, "CLA-003"));
    Get(Upload("ann", 200, "CLA-002"));
    Get(Upload("cy", 900));
    EXPECT_EQ(server.store->Count(), 6);
    EXPECT_EQ(Get(ListTarget()), std::string(ListPlaceholderGroup) + Group("ann", "001-009", 900) +
                                     Group("cy", "001-004", 900) + Group("bob", "CLA-003", 500) + "end\n");
    // nbscore counts rows, players now.
    EXPECT_EQ(Get(ListTarget(1)), std::string(ListPlaceholderGroup) + Group("ann", "001-009", 900) + "end\n");
    // Arcade and classic games rank apart.
    EXPECT_NE(Get("/api/top?mode=arcade").find("\"scores\":[{\"rank\":1,\"name\":\"ann\",\"level\":\"001-009\","
                                               "\"points\":900,\"date\":\"06 Mar 2024\"},{\"rank\":2,\"name\":\"cy\""),
              std::string::npos);
    EXPECT_EQ(Get("/api/top?mode=classic&limit=5"),
              "{\"mode\":\"classic\",\"scores\":[{\"rank\":1,\"name\":\"bob\",\"level\":\"CLA-003\",\"points\":500,"
              "\"date\":\"05 Mar 2024\"},{\"rank\":2,\"name\":\"ann\",\"level\":\"CLA-002\",\"points\":200,"
              "\"date\":\"05 Mar 2024\"}]}\n");
}

TEST_P(StoreSuite, StoresEveryNameTheGameCanSendAsSent) {
    // Typed in the game (codes 32 and 48 to 90, lower-cased), held in a
    // settings file (Latin-1, any printable byte), and at the length limit.
    const std::vector<std::string> names = {"x<i>=y;", ":;<=>?@ 09", "j\xF6rg", "a&b", "q\"'\\%27%",
                                            "x'); drop table", std::string(MaxNameLength, '\xFF')};
    for (size_t n = 0; n < names.size(); ++n) EXPECT_EQ(Get(Upload(names[n], 100 - int(n))), "ok\n") << names[n];
    for (const std::string& bad : {std::string("   "), std::string(MaxNameLength + 1, 'a'), std::string("a\x85"), std::string("a\x7F")})
        EXPECT_EQ(Fetch(server.port, "GET", Upload(bad, 5)).status, 400) << bad;
    std::string expected = ListPlaceholderGroup;
    for (size_t n = 0; n < names.size(); ++n) expected += Group(names[n], "001-004", 100 - int(n));
    EXPECT_EQ(Get(ListTarget()), expected + "end\n");
    EXPECT_EQ(server.store->Count(), int(names.size()));
    // The page and the JSON give UTF-8, escaped.
    const std::string page = Get("/");
    for (const char* shown : {">x&lt;i&gt;=y;<", ">j\xC3\xB6rg<", ">a&amp;b<", ">q&quot;&#39;\\%27%<"})
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
    EXPECT_NE(Get("/api/top").find("\"name\":\"x\\u003ci\\u003e=y;\""), std::string::npos);
}

TEST_P(StoreSuite, HiddenNamesLeaveEveryListWhileServersRunAndComeBack) {
    config.boardLifetime = std::chrono::milliseconds(200);
    ASSERT_TRUE(Restart());
    Get(Upload("ann", 300));
    Get(Upload("j\xF6rg", 200));
    Get(ListTarget());  // the lists are held now
    ProgramRun run = RunProgram(Scores("hide 'jörg' '" + database + "'"));
    EXPECT_EQ(run.status, 0) << run.said;
    EXPECT_EQ(run.Lines(), 1) << run.said;
    const std::string annOnly = std::string(ListPlaceholderGroup) + Group("ann", "001-004", 300) + "end\n";
    std::string list;
    for (int tries = 0; tries < 100 && (list = Get(ListTarget())) != annOnly; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(list, annOnly);
    EXPECT_EQ(Get("/").find("rg<"), std::string::npos);
    EXPECT_EQ(server.store->Count(), 2);
    run = RunProgram(Scores("hidden '" + database + "'"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.said.substr(0, 6), "j\xC3\xB6rg\t") << run.said;
    EXPECT_EQ(RunProgram(Scores("unhide 'jörg' '" + database + "'")).status, 0);
    for (int tries = 0; tries < 100 && Get(ListTarget()) == annOnly; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_NE(Get(ListTarget()).find("j\xF6rg\n"), std::string::npos);
    // A database that is not there: one line, and nothing is made.
    const std::string missing = GetParam() == "sqlite" ? (folder / "missing.db").string()
                                                       : PostgresUri(SharedPostgres(), "missing");
    run = RunProgram(Scores("hide ann '" + missing + "'"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.Lines(), 1) << run.said;
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_P(StoreSuite, DeniedWordsKeepNamesOffAndAreReadAgain) {
    const std::string file = (folder / "deny.txt").string();
    std::ofstream(file) << "# words\n\n  Ass \nJÖR\n";
    config.denyNames = file;
    ASSERT_TRUE(Restart());
    for (const char* name : {"bass", "ASSO", "j\xF6rg", "j\xD6rg"}) EXPECT_EQ(Fetch(server.port, "GET", Upload(name, 5)).status, 400) << name;
    Get(Upload("bob", 5));
    std::ofstream(file) << "bob\n";
    EXPECT_TRUE(ReloadDenyList(server));
    EXPECT_EQ(Fetch(server.port, "GET", Upload("bob", 6)).status, 400);
    Get(Upload("bass", 5));
    // An unreadable file keeps the list as it was.
    std::filesystem::remove(file);
    EXPECT_FALSE(ReloadDenyList(server));
    EXPECT_EQ(Fetch(server.port, "GET", Upload("bob", 7)).status, 400);
    EXPECT_EQ(server.store->Count(), 2);
}

}  // namespace
