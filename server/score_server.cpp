#include "score_server.h"

#include <sys/socket.h>

#include <vector>

namespace {

void HandleScript(ScoreServer& server, const httplib::Request& req, httplib::Response& res) {
    const size_t mark = req.target.find('?');
    const std::string query = mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
    const ScoreRequest request = ParseScoreRequest(req.matches[1], query, server.config.key);
    if (!request.valid) {
        res.status = 400;
        res.set_content("refused: " + request.error + "\n", "text/plain");
        return;
    }
    std::string body;
    if (!AnswerScoreRequest(server, request, body)) {
        res.status = 500;
        res.set_content("storage failure\n", "text/plain");
        return;
    }
    res.set_header("Cache-Control", "no-store");
    res.set_content(body, "text/plain");
}

}  // namespace

bool AnswerScoreRequest(ScoreServer& server, const ScoreRequest& request, std::string& body) {
    switch (request.action) {
        case ScoreAction::AddScore:
            body = "ok\n";
            return AddScore(server.store, request.entry);
        case ScoreAction::GetScores: {
            std::vector<ScoreEntry> top;
            if (!TopScores(server.store, request.count, top)) return false;
            body.clear();
            for (const ScoreEntry& e : top) body += e.name + "\n" + e.level + "\n" + std::to_string(e.score) + "\n";
            // The game never lists the last group it reads, so one closing
            // line makes every entry above it show.
            body += "end\n";
            return true;
        }
        case ScoreAction::GetVersion:
            body = "orbivore\n" + server.config.newestVersion + "\n";
            return true;
    }
    return false;
}

bool SetUpScoreServer(ScoreServer& server, const ScoreServerConfig& config, std::string& error) {
    server.config = config;
    if (!OpenScoreStore(server.store, config.database, error)) return false;
    httplib::Server& http = server.http;
    http.set_payload_max_length(4096);
    http.set_read_timeout(5, 0);
    http.set_write_timeout(5, 0);
    http.set_keep_alive_timeout(5);
    http.set_keep_alive_max_count(100);
    http.Get(R"(/scores/([A-Za-z_]{1,32}\.php))",
             [&server](const httplib::Request& req, httplib::Response& res) { HandleScript(server, req, res); });
    // The library listens with a backlog of 5, which drops connections when
    // a few dozen players sync at once; widen it once the socket is bound.
    int listening = -1;
    http.set_socket_options([&listening](socket_t sock) {
        httplib::default_socket_options(sock);
        listening = sock;
    });
    if (config.port == 0) {
        server.port = http.bind_to_any_port(config.bindAddress);
    } else {
        server.port = http.bind_to_port(config.bindAddress, config.port) ? config.port : -1;
    }
    if (server.port <= 0) {
        error = "cannot listen on " + config.bindAddress + ":" + std::to_string(config.port);
        CloseScoreStore(server.store);
        return false;
    }
    if (listening >= 0) ::listen(listening, 256);
    http.set_socket_options(httplib::default_socket_options);
    return true;
}

void RunScoreServer(ScoreServer& server) { server.http.listen_after_bind(); }

void StopScoreServer(ScoreServer& server) { server.http.stop(); }

void CloseScoreServer(ScoreServer& server) { CloseScoreStore(server.store); }
