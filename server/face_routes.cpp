#include "face_routes.h"

#include <map>

#include "page/board_page.h"
#include "replies.h"
#include "score_server.h"

namespace {

// As long as the server keeps the lists: a browser or a proxy may keep
// them that long too.
void Cacheable(HttpReply& reply, const char* type) {
    reply.headers = {{"Content-Type", type}, {"Cache-Control", "public, max-age=3"},
                     {"X-Content-Type-Options", "nosniff"}};
}

HttpReply Page(ScoreServer& server) {
    const auto page = CachedPage(server.board);
    if (!page) {
        ++server.metrics.storeErrors;
        return Unavailable();
    }
    HttpReply reply{200, *page, {}};
    Cacheable(reply, "text/html; charset=utf-8");
    // Nothing but the page's own style: no script, no outside file.
    reply.headers.emplace_back("Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'");
    return reply;
}

// "mode=arcade|classic&limit=1..100"; other parameters (a tool's cache
// breaker) are let be.
HttpReply Top(ScoreServer& server, const std::string& query) {
    std::map<std::string, std::string> fields;
    for (size_t start = 0; start < query.size();) {
        size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        const std::string part = query.substr(start, end - start);
        const size_t eq = part.find('=');
        fields[part.substr(0, eq)] = eq == std::string::npos ? "" : part.substr(eq + 1);
        start = end + 1;
    }
    const std::string mode = fields.count("mode") ? fields["mode"] : "arcade";
    if (mode != "arcade" && mode != "classic") return Text(400, "refused: mode is arcade or classic\n");
    int limit = MaxScoresListed;
    if (fields.count("limit")) {
        const std::string& text = fields["limit"];
        limit = text.size() >= 1 && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos
                    ? std::stoi(text)
                    : 0;
        if (limit < 1 || limit > MaxScoresListed)
            return Text(400, "refused: limit is a number from 1 to " + std::to_string(MaxScoresListed) + "\n");
    }
    const BoardRows rows = CachedTop(server.board, mode == "arcade" ? BoardMode::Arcade : BoardMode::Classic);
    if (!rows) {
        ++server.metrics.storeErrors;
        return Unavailable();
    }
    HttpReply reply{200, RenderTopJson(mode, *rows, size_t(limit)), {}};
    Cacheable(reply, "application/json; charset=utf-8");
    reply.headers.emplace_back("Access-Control-Allow-Origin", "*");
    return reply;
}

HttpReply Health(ScoreServer& server) {
    if (server.store->Ping()) return Text(200, "ok\n");
    ++server.metrics.storeErrors;
    return Text(503, "storage unavailable\n");
}

HttpReply Metrics(ScoreServer& server) {
    HttpReply reply = Text(200, RenderMetrics(server.metrics, OpenConnections(server.http), server.store->Reconnects()));
    reply.headers[0].second = "text/plain; version=0.0.4; charset=utf-8";
    return reply;
}

}  // namespace

const char* FaceRoute(const ScoreServer& server, const std::string& path) {
    if (path == "/" || path == "/scores" || path == "/scores/") return "page";
    if (path == "/api/top") return "api";
    if (path == "/healthz") return "healthz";
    if (path == "/metrics" && server.config.metricsPort < 0) return "metrics";
    return nullptr;
}

HttpReply AnswerFace(ScoreServer& server, const std::string& route, const HttpRequest& request) {
    if (route == "page") return Page(server);
    if (route == "api") return Top(server, request.query);
    if (route == "healthz") return Health(server);
    return Metrics(server);
}

HttpReply AnswerMetricsAddress(ScoreServer& server, const HttpRequest& request) {
    if (request.path != "/metrics") return Text(404, "not found\n");
    if (request.method != "GET" && request.method != "HEAD") return Text(405, "only GET\n");
    return Metrics(server);
}
