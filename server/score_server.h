// The score server: answers the game's requests under "/scores" from a
// score store. Set up, then run (blocking) on any thread; stop from another.
#pragma once

#include <httplib.h>

#include <string>

#include "score_store.h"

struct ScoreServerConfig {
    std::string bindAddress = "127.0.0.1";
    int port = 8080;  // 0: any free port
    std::string database = "scores.db";
    std::string newestVersion = "1.00";
    std::string key = "t41vb7kQz81Rk3m";
};

struct ScoreServer {
    ScoreServerConfig config;
    ScoreStore store;
    httplib::Server http;
    int port = 0;
};

// The reply body for a parsed request; false when storing or reading failed.
bool AnswerScoreRequest(ScoreServer& server, const ScoreRequest& request, std::string& body);

// Opens the database, installs the routes and binds the port; false with a reason.
bool SetUpScoreServer(ScoreServer& server, const ScoreServerConfig& config, std::string& error);
// Serves until StopScoreServer.
void RunScoreServer(ScoreServer& server);
void StopScoreServer(ScoreServer& server);
void CloseScoreServer(ScoreServer& server);
