#include "score_server.h"

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

HttpReply Text(int status, const std::string& body) {
    HttpReply reply;
    reply.status = status;
    reply.body = body;
    reply.headers = {{"Content-Type", "text/plain"}, {"Cache-Control", "no-store"}};
    return reply;
}

HttpReply Unavailable() {
    HttpReply reply = Text(503, "storage unavailable\n");
    reply.headers.emplace_back("Retry-After", "5");
    return reply;
}

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

HttpReply AnswerValid(ScoreServer& server, const ScoreRequest& request, const std::string& client, bool head) {
    switch (request.action) {
        case ScoreAction::AddScore:
            if (request.entry.score > server.config.maxPoints) return Text(400, "refused: points over the ceiling\n");
            if (head) return Text(200, "ok\n");
            if (!TakeUpload(server.uploads, client, Clock::now())) {
                HttpReply reply = Text(429, "too many uploads, try again in a minute\n");
                reply.headers.emplace_back("Retry-After", "60");
                return reply;
            }
            // A repeated upload is what the game sends on every fire press;
            // it is already listed, so it is a success too.
            return server.store->Add(request.entry) == StoreOutcome::Unavailable ? Unavailable() : Text(200, "ok\n");
        case ScoreAction::GetScores: {
            std::vector<ScoreEntry> top;
            if (!server.store->Top(request.count, top)) return Unavailable();
            std::string body = ListPlaceholderGroup;
            for (const ScoreEntry& e : top) body += e.name + "\n" + e.level + "\n" + std::to_string(e.score) + "\n";
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
    HttpReply reply;
    if (!IsScript(request.path)) {
        reply = Text(404, "not found\n");
    } else if (request.method != "GET" && request.method != "HEAD") {
        reply = Text(405, "only GET\n");
        reply.headers.emplace_back("Allow", "GET, HEAD");
    } else {
        const ScoreRequest parsed = ParseScoreRequest(request.path.substr(8), request.query, server.config.key);
        option = OptionName(parsed);
        reply = parsed.valid ? AnswerValid(server, parsed, client, request.method == "HEAD")
                             : Text(400, "refused: " + parsed.error + "\n");
    }
    Log(server, client, request, option, reply.status, Clock::now() - start);
    return reply;
}

}  // namespace

bool SetUpScoreServer(ScoreServer& server, const ScoreServerConfig& config, std::string& error) {
    server.config = config;
    server.uploads.perMinute = config.uploadsPerMinute;
    server.stopRequested = false;
    HttpLimits limits = config.http;
    if (config.behindProxy) limits.connectionsPerAddress = 0;
    const int listening = OpenListeningSocket(config.bindAddress, config.port, server.port, error);
    if (listening < 0) return false;
    server.store = OpenScoreStore(config.database, limits.threads, error);
    if (!server.store) {
        ::close(listening);
        return false;
    }
    if (!StartHttpCore(server.http, listening, limits,
                       [&server](const HttpRequest& request) { return Answer(server, request); }, error)) {
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
    StopHttpCore(server.http);
    server.store.reset();
}
