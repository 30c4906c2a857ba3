// The server's face: the leaderboard page in a real browser (headless
// Chromium, started and stopped here), its answers to bad requests, health
// and metrics.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "http_probe.h"
#include "program_run.h"
#include "score_queries.h"
#include "score_server.h"

namespace {

namespace fs = std::filesystem;

class BoardPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        config = UnlimitedConfig(":memory:");
        Start();
    }
    void TearDown() override { CloseScoreServer(server); }
    void Start() {
        std::string error;
        ASSERT_TRUE(SetUpScoreServer(server, config, error)) << error;
    }
    HttpAnswer Get(const std::string& target, int port = 0) { return Fetch(port ? port : server.port, "GET", target); }

    ScoreServerConfig config;
    ScoreServer server;
};

// A browser run to its end: Chromium as CI runs it, as root without its
// sandbox, with a profile of its own. A browser that will not start fails.
ProgramRun Chromium(const std::string& arguments, const std::string& url) {
    const fs::path profile = fs::temp_directory_path() / ("orbivore-chromium-" + std::to_string(getpid()));
    const ProgramRun run = RunProgram("timeout 90 chromium --headless --no-sandbox --disable-gpu --no-first-run "
                                      "--disable-extensions --user-data-dir=" + profile.string() + " " + arguments +
                                      " " + url + " 2>/dev/null");
    std::error_code ignored;
    fs::remove_all(profile, ignored);
    return run;
}

TEST_F(BoardPageTest, ABrowserShowsBothBoardsWithEveryNameAsTyped) {
    for (int n = 0; n < 22; ++n)
        server.store->Add({"pilot " + std::to_string(n), "001-0" + std::to_string(10 + n), 1000 + n * 731, "05 Mar 2024", "1.00"});
    for (int n = 0; n < 6; ++n)
        server.store->Add({"classic " + std::to_string(n), "CLA-00" + std::to_string(n), 500 + n * 97, "06 Mar 2024", "1.00"});
    server.store->Add({"x<i>=y;", "003-020", 99999, "07 Mar 2024", "1.00"});
    server.store->Add({"j\xF6rg", "CLA-009", 8000, "07 Mar 2024", "1.00"});
    const std::string url = "http://127.0.0.1:" + std::to_string(server.port) + "/scores/";

    const ProgramRun dom = Chromium("--dump-dom", url);
    ASSERT_EQ(dom.status, 0) << "chromium did not run: " << dom.said.substr(0, 500);
    // The name is text, not markup: the browser saw no <i> element.
    EXPECT_NE(dom.said.find("<td class=\"name\">x&lt;i&gt;=y;</td>"), std::string::npos) << dom.said.substr(0, 2000);
    EXPECT_EQ(dom.said.find("<i>"), std::string::npos);
    EXPECT_NE(dom.said.find("<td class=\"name\">j\xC3\xB6rg</td>"), std::string::npos);
    const auto rows = [&](const std::string& id) {
        const size_t from = dom.said.find("<section id=\"" + id + "\">");
        const std::string section = dom.said.substr(from, dom.said.find("</section>", from) - from);
        int count = 0;
        for (size_t at = section.find("<tr>"); at != std::string::npos; at = section.find("<tr>", at + 1)) ++count;
        return count;
    };
    EXPECT_EQ(rows("arcade"), 1 + 23);
    EXPECT_EQ(rows("classic"), 1 + 7);

    const fs::path shot = fs::current_path() / "board_page.png";
    fs::remove(shot);
    const ProgramRun picture = Chromium("--hide-scrollbars --window-size=1100,900 --screenshot=" + shot.string(), url);
    EXPECT_EQ(picture.status, 0);
    ASSERT_TRUE(fs::exists(shot));
    EXPECT_GT(fs::file_size(shot), 10000u);
}

TEST_F(BoardPageTest, BadRequestsGetAClearAnswerAndChangeNothing) {
    EXPECT_EQ(Get("/nothing-here").status, 404);
    EXPECT_EQ(Get("/scores/index.html").status, 404);
    for (const char* query : {"limit=0", "limit=101", "limit=", "limit=ten", "mode=all", "mode=arcade&limit=-1"}) {
        const HttpAnswer a = Get(std::string("/api/top?") + query);
        EXPECT_EQ(a.status, 400) << query;
        EXPECT_EQ(a.body.substr(0, 9), "refused: ") << query;
    }
    EXPECT_EQ(Fetch(server.port, "POST", "/").status, 405);
    EXPECT_EQ(Get("/api/top?limit=100&_=123").body, "{\"mode\":\"arcade\",\"scores\":[]}\n");
    EXPECT_EQ(server.store->Count(), 0);
    // A deny-list that cannot be read, a database that is not there: one
    // line each, exit status 1.
    for (const std::string arguments : {"--port 0 --deny-names /nonexistent/words :memory:", "hide ann /nonexistent/x.db"}) {
        const ProgramRun run = RunProgram(std::string(ORBIVORE_SCORES_PATH) + " " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.Lines(), 1) << run.said;
    }
}

TEST_F(BoardPageTest, ReportsHealthAndMetricsOnAnAddressOfTheirOwn) {
    EXPECT_EQ(Get("/healthz").body, "ok\n");
    const std::string words = (fs::temp_directory_path() / ("orbivore-deny-" + std::to_string(getpid()))).string();
    std::ofstream(words) << "bad\n";
    config.denyNames = words;
    config.maxPoints = 1000;
    config.metricsPort = 0;
    CloseScoreServer(server);
    Start();
    fs::remove(words);
    EXPECT_EQ(Get(UploadTarget("ann", 5)).status, 200);
    EXPECT_EQ(Get(UploadTarget("ann", 5000)).status, 400);
    EXPECT_EQ(Get(UploadTarget("badger", 5)).status, 400);
    EXPECT_EQ(Get("/").status, 200);
    EXPECT_EQ(Get("/metrics").status, 404);
    const HttpAnswer metrics = Get("/metrics", server.metricsPort);
    ASSERT_EQ(metrics.status, 200);
    for (const char* line : {"orbivore_scores_requests_total{option=\"addscore\",status=\"200\"} 1\n",
                             "orbivore_scores_requests_total{option=\"addscore\",status=\"400\"} 2\n",
                             "orbivore_scores_requests_total{option=\"page\",status=\"200\"} 1\n",
                             "orbivore_scores_requests_total{option=\"none\",status=\"404\"} 1\n",
                             "orbivore_scores_request_duration_seconds_bucket{le=\"+Inf\"} 6\n",
                             "orbivore_scores_open_connections ", "{reason=\"rate_limit\"} 0\n",
                             "{reason=\"ceiling\"} 1\n", "{reason=\"deny_list\"} 1\n",
                             "orbivore_scores_store_errors_total 0\n", "orbivore_scores_store_reconnects_total 0\n"})
        EXPECT_NE(metrics.body.find(line), std::string::npos) << line << metrics.body;
}

}  // namespace
