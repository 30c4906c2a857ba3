#include "score_server.h"

#include "face_routes.h"
#include "replies.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cctype>
#include <chrono>
#include <cstring>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool IsScript(const std::string& path) {
    const std::string prefix = "/scores/", suffix = ".php";
    if (path.size() <= prefix.size() + suffix.size() || path.size() > prefix.size() + 32 + suffix.size() ||
        path.compare(0, prefix.size(), prefix) != 0 || path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (size_t n = prefix.size(); n < path.size() - suffix.size(); ++n) {
        const char c = path[n];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')) return false;
    }
    return true;
}

bool IsLoopback(const std::string& address) { return address.rfind("127.", 0) == 0 || address == "::1"; }

// A header is only trusted to be an address once it parses as one: it goes
// into the log and the limiter's table.
bool IsAddress(const std::string& text) {
    unsigned char bytes[sizeof(in6_addr)];
    return inet_pton(AF_INET, text.c_str(), bytes) == 1 || inet_pton(AF_INET6, text.c_str(), bytes) == 1;
}

std::string ClientOf(const ScoreServer& server, const HttpRequest& request) {
    if (server.config.behindProxy && IsLoopback(request.peer) && IsAddress(request.realIp)) return request.realIp;
    return request.peer;
}

// Methods are tokens; anything else is shown as "?" so that no request can
// write a line of its own into the log.
std::string LoggedMethod(const std::string& method) {
    std::string shown = method.substr(0, 16);
    for (char& c : shown)
        if (!std::isalnum(static_cast<unsigned char>(c)) && !std::strchr("-_.!#$%&'*+^`|~", c)) c = '?';
    return shown;
}

const char* OptionName(const ScoreRequest& request) {
    if (!request.valid) return "-";
    switch (request.action) {
        case ScoreAction::AddScore: return "addscore";
        case ScoreAction::GetScores: return "getscore";
        case ScoreAction::GetVersion: return "getversion";
    }
    return "-";
}

bool Denied(ScoreServer& server, const std::string& name) {
    std::lock_guard<std::mutex> lock(server.denyMutex);
    return server.denyList && IsDenied(*server.denyList, name);
}

HttpReply Refuse(ScoreServer& server, Refusal why, HttpReply reply) {
    ++server.metrics.refused[int(why)];
    return reply;
}

HttpReply AnswerValid(ScoreServer& server, const ScoreRequest& request, const std::string& client, bool head) {
    switch (request.action) {
        case ScoreAction::AddScore: {
            if (request.entry.score > server.config.maxPoints)
                return Refuse(server, Refusal::Ceiling, Text(400, "refused: points over the ceiling\n"));
            if (Denied(server, request.entry.name))
                return Refuse(server, Refusal::DenyList, Text(400, "refused: name not allowed\n"));
            if (head) return Text(200, "ok\n");
            if (!TakeUpload(server.uploads, client, Clock::now())) {
                HttpReply reply = Text(429, "too many uploads, try again in a minute\n");
                reply.headers.emplace_back("Retry-After", "60");
                return Refuse(server, Refusal::RateLimit, reply);
            }
            // A repeated upload is what the game sends on every fire press;
            // it is already listed, so it is a success too.
            const StoreOutcome outcome = server.store->Add(request.entry);
            if (outcome == StoreOutcome::Unavailable) {
                ++server.metrics.storeErrors;
                return Unavailable();
            }
            if (outcome == StoreOutcome::Stored) InvalidateBoard(server.board);
            return Text(200, "ok\n");
        }
        case ScoreAction::GetScores: {
            const BoardRows top = CachedTop(server.board, BoardMode::Any);
            if (!top) {
                ++server.metrics.storeErrors;
                return Unavailable();
            }
            std::string body = ListPlaceholderGroup;
            for (size_t n = 0; n < top->size() && n < size_t(request.count); ++n) {
                const ScoreEntry& e = (*top)[n];
                body += e.name + "\n" + e.level + "\n" + std::to_string(e.score) + "\n";
            }
            // The game never lists the last group it reads either, so one
            // closing line makes every entry above it show.
            body += "end\n";
            return Text(200, body);
        }
        case ScoreAction::GetVersion:
            return Text(200, "orbivore\n" + server.config.newestVersion + "\n");
    }
    return Text(500, "\n");
}

// Time, client, method, option, status, duration; never the query: it is
// a player's enciphered upload, and anyone reading the log could replay it.
void Log(const ScoreServer& server, const std::string& client, const HttpRequest& request, const char* option,
         int status, Clock::duration took) {
    if (!server.config.log) return;
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::fprintf(server.config.log, "%s %s %s %s %d %.2fms\n", when, client.c_str(), LoggedMethod(request.method).c_str(), option, status,
                 std::chrono::duration<double, std::milli>(took).count());
}

HttpReply Answer(ScoreServer& server, const HttpRequest& request) {
    const auto start = Clock::now();
    const std::string client = ClientOf(server, request);
    const char* option = "-";
    const char* route = FaceRoute(server, request.path);
    const bool script = !route && IsScript(request.path);
    HttpReply reply;
    if (!route && !script) {
        reply = Text(404, "not found\n");
    } else if (request.method != "GET" && request.method != "HEAD") {
        reply = Text(405, "only GET\n");
        reply.headers.emplace_back("Allow", "GET, HEAD");
    } else if (route) {
        option = route;
        reply = AnswerFace(server, route, request);
    } else {
        const ScoreRequest parsed = ParseScoreRequest(request.path.substr(8), request.query, server.config.key);
        option = OptionName(parsed);
        reply = parsed.valid ? AnswerValid(server, parsed, client, request.method == "HEAD")
                             : Text(400, "refused: " + parsed.error + "\n");
    }
    const auto took = Clock::now() - start;
    Log(server, client, request, option, reply.status, took);
    CountRequest(server.metrics, option[0] == '-' ? "none" : option, reply.status,
                 std::chrono::duration<double>(took).count());
    return reply;
}

}  // namespace

bool SetUpScoreServer(ScoreServer& server, const ScoreServerConfig& config, std::string& error) {
    server.config = config;
    server.uploads.perMinute = config.uploadsPerMinute;
    server.stopRequested = false;
    server.denyList.reset();
    if (!config.denyNames.empty()) {
        auto list = std::make_shared<DenyList>();
        if (!ReadDenyList(config.denyNames, *list, error)) return false;
        server.denyList = std::move(list);
    }
    HttpLimits limits = config.http;
    if (config.behindProxy) limits.connectionsPerAddress = 0;
    const int listening = OpenListeningSocket(config.bindAddress, config.port, server.port, error);
    if (listening < 0) return false;
    int metricsListening = -1;
    if (config.metricsPort >= 0 &&
        (metricsListening = OpenListeningSocket(config.metricsAddress, config.metricsPort, server.metricsPort, error)) < 0) {
        ::close(listening);
        return false;
    }
    server.store = OpenScoreStore(config.database, limits.threads, error);
    if (!server.store) {
        ::close(listening);
        if (metricsListening >= 0) ::close(metricsListening);
        return false;
    }
    server.board.store = server.store.get();
    server.board.lifetime = config.boardLifetime;
    InvalidateBoard(server.board);
    if (!StartHttpCore(server.http, listening, limits,
                       [&server](const HttpRequest& request) { return Answer(server, request); }, error)) {
        if (metricsListening >= 0) ::close(metricsListening);
        server.store.reset();
        return false;
    }
    HttpLimits metricsLimits;
    metricsLimits.threads = 1;
    metricsLimits.connections = 64;
    if (metricsListening >= 0 &&
        !StartHttpCore(server.metricsHttp, metricsListening, metricsLimits,
                       [&server](const HttpRequest& request) { return AnswerMetricsAddress(server, request); }, error)) {
        StopHttpCore(server.http);
        server.store.reset();
        return false;
    }
    return true;
}

void RunScoreServer(ScoreServer& server) {
    std::unique_lock<std::mutex> lock(server.mutex);
    server.stopped.wait(lock, [&server] { return server.stopRequested; });
}

void StopScoreServer(ScoreServer& server) {
    {
        std::lock_guard<std::mutex> lock(server.mutex);
        server.stopRequested = true;
    }
    server.stopped.notify_all();
}

void CloseScoreServer(ScoreServer& server) {
    StopHttpCore(server.metricsHttp);
    StopHttpCore(server.http);
    server.store.reset();
}

bool ReloadDenyList(ScoreServer& server) {
    if (server.config.denyNames.empty()) return true;
    auto list = std::make_shared<DenyList>();
    std::string error;
    if (!ReadDenyList(server.config.denyNames, *list, error)) {
        std::fprintf(stderr, "orbivore-scores: %s; the old list stays\n", error.c_str());
        return false;
    }
    std::fprintf(stderr, "orbivore-scores: deny-list %s read again (%zu %s)\n", server.config.denyNames.c_str(),
                 list->words.size(), list->words.size() == 1 ? "word" : "words");
    std::lock_guard<std::mutex> lock(server.denyMutex);
    server.denyList = std::move(list);
    return true;
}
