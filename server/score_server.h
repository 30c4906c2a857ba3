// The score server: answers the game's requests under "/scores" from a
// score store, over the event-driven HTTP core. Set up (it serves from
// then on), run to block until stopped, stop from any thread, then close.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "deny_list.h"
#include "http/http_core.h"
#include "page/board_cache.h"
#include "server_metrics.h"
#include "store/score_store.h"
#include "upload_limiter.h"

struct ScoreServerConfig {
    std::string bindAddress = "127.0.0.1";
    int port = 8080;  // 0: any free port
    std::string database = "scores.db";
    std::string newestVersion = "1.00";
    std::string key = "t41vb7kQz81Rk3m";
    int uploadsPerMinute = 30;  // per client address; 0: no limit
    // The game shows scores in eight digits; more is not a played game.
    int64_t maxPoints = 99999999;
    // Behind a reverse proxy on this machine every peer is the proxy: the
    // client is then its X-Real-IP header, and the proxy caps connections.
    bool behindProxy = false;
    FILE* log = stderr;  // one line per request; null: none
    // A file to append the log to instead (opened at start, opened again
    // on ReloadScoreServer so that it can be rotated); "": `log`.
    std::string logPath;
    HttpLimits http;
    // A file of words no uploaded name may hold; empty: none.
    std::string denyNames;
    // /metrics on an address of its own (port -1: on the main port).
    std::string metricsAddress = "127.0.0.1";
    int metricsPort = -1;
    // How long the top lists and the page are kept.
    std::chrono::milliseconds boardLifetime{3000};
};

struct ScoreServer {
    ScoreServerConfig config;
    std::unique_ptr<ScoreStore> store;
    HttpCore http;
    UploadLimiter uploads;
    int port = 0;
    std::mutex mutex;
    std::condition_variable stopped;
    bool stopRequested = false;
    BoardCache board;
    ServerMetrics metrics;
    HttpCore metricsHttp;
    int metricsPort = 0;
    std::mutex denyMutex;
    std::shared_ptr<const DenyList> denyList;  // null: no --deny-names
    std::mutex logMutex;
    FILE* log = nullptr;  // config.log, or the file at config.logPath
};

// Opens the database, binds the port and starts serving; false with a reason.
bool SetUpScoreServer(ScoreServer& server, const ScoreServerConfig& config, std::string& error);
// Blocks until StopScoreServer.
void RunScoreServer(ScoreServer& server);
void StopScoreServer(ScoreServer& server);
// Lets the requests in flight finish for up to `grace`, closes every
// connection, then the database.
void CloseScoreServer(ScoreServer& server, std::chrono::milliseconds grace = std::chrono::milliseconds(0));
// What an operator's SIGHUP asks for: the log file is opened again (after
// it was rotated) and the deny-list is read again. False when either
// failed, with the log's reason (the deny-list says its own); what could
// not be done stays as it was.
bool ReloadScoreServer(ScoreServer& server, std::string& error);
// Reads the deny-list file again (part of ReloadScoreServer). When it
// cannot be read the old list stays and one line says so on standard
// error; false then.
bool ReloadDenyList(ScoreServer& server);

// The first group of every score list. The game never lists its row 0, so
// this line up puts the real ranks 1 to 24 on its rows 1 to 24.
constexpr const char* ListPlaceholderGroup = "-\n000-000\n0\n";
