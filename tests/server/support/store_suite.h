// The store suite's fixture: each test gets a fresh database of the
// back-end it runs for (a SQLite file, or a database of the private
// PostgreSQL) and a server on it. Tests in several files share it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "http_probe.h"
#include "postgres_instance.h"
#include "score_queries.h"
#include "score_server.h"

namespace orbivore_test {

class StoreSuite : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "orbivore-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        database = FreshDatabase();
        ASSERT_FALSE(database.empty());
        config = UnlimitedConfig(database);
        ASSERT_TRUE(Start(server));
    }
    void TearDown() override {
        CloseScoreServer(server);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string FreshDatabase() {
        static int made = 0;
        const std::string name = "scores" + std::to_string(++made);
        if (GetParam() == "sqlite") return (folder / (name + ".db")).string();
        PostgresInstance& pg = SharedPostgres();
        std::string error = pg.startError;
        if (!pg.running || !CreatePostgresDatabase(pg, name, error)) {
            ADD_FAILURE() << error;
            return "";
        }
        return PostgresUri(pg, name);
    }

    bool Start(ScoreServer& s) {
        std::string error;
        const bool ok = SetUpScoreServer(s, config, error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }

    bool Restart() {
        CloseScoreServer(server);
        return Start(server);
    }

    std::string Get(const std::string& target, int port = 0) {
        const HttpAnswer a = Fetch(port ? port : server.port, "GET", target);
        EXPECT_EQ(a.status, 200) << a.body;
        return a.body;
    }

    ScoreServerConfig config;
    ScoreServer server;
    std::filesystem::path folder;
    std::string database;
};

}  // namespace orbivore_test
