#include "score_server.h"

#include "face_routes.h"
#include "replies.h"
#include "score_plausibility.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <atomic>
#include <cctype>
#include <cerrno>
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

// 127.0.0.0/8 and ::1, and 127.x as a dual-stack socket shows it
// (::ffff:127.0.0.1), as when the server listens on "::".
bool IsLoopback(const std::string& address) {
    in6_addr v6{};
    in_addr v4{};
    if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
    if (inet_pton(AF_INET6, address.c_str(), &v6) != 1) return false;
    return IN6_IS_ADDR_LOOPBACK(&v6) || (IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127);
}

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

// A reply that needs the database: made on a worker thread; a client whose
// answer takes too long gets "unavailable" instead.
HttpReply FromStore(std::function<HttpReply()> work, std::function<void()> abandoned = nullptr) {
    HttpReply reply = Unavailable();
    reply.work = std::move(work);
    reply.abandoned = std::move(abandoned);
    return reply;
}

HttpReply AnswerValid(ScoreServer& server, const ScoreRequest& request, const std::string& client, bool head) {
    switch (request.action) {
        case ScoreAction::AddScore: {
            if (request.entry.score > server.config.maxPoints)
                return Refuse(server, Refusal::Ceiling, Text(400, "refused: points over the ceiling\n"));
            if (request.entry.score > MostPointsFor(request.entry.level))
                return Refuse(server, Refusal::Ceiling, Text(400, "refused: more points than the levels played allow\n"));
            if (Denied(server, request.entry.name))
                return Refuse(server, Refusal::DenyList, Text(400, "refused: name not allowed\n"));
            if (head) return Text(200, "ok\n");
            if (!TakeUpload(server.uploads, client, Clock::now())) {
                HttpReply reply = Text(429, "too many uploads, try again in a minute\n");
                reply.headers.emplace_back("Retry-After", "60");
                return Refuse(server, Refusal::RateLimit, reply);
            }
            // Only stored uploads count: one the database never took is
            // given back, so an outage does not use up the allowance.
            auto givenBack = std::make_shared<std::atomic<bool>>(false);
            auto giveBack = [&server, client, givenBack] {
                if (!givenBack->exchange(true)) ReturnUpload(server.uploads, client);
            };
            return FromStore(
                [&server, entry = request.entry, giveBack] {
                    // A repeated upload is what the game sends on every fire
                    // press; it is already listed, so it is a success too.
                    const StoreOutcome outcome = server.store->Add(entry);
                    if (outcome == StoreOutcome::Unavailable) {
                        ++server.metrics.storeErrors;
                        giveBack();
                        return Unavailable();
                    }
                    if (outcome == StoreOutcome::Stored) InvalidateBoard(server.board);
                    return Text(200, "ok\n");
                },
                giveBack);
        }
        case ScoreAction::GetScores:
            return FromStore([&server, count = size_t(request.count)] {
                const BoardRows top = CachedTop(server.board, BoardMode::Any);
                if (!top) {
                    ++server.metrics.storeErrors;
                    return Unavailable();
                }
                std::string body = ListPlaceholderGroup;
                for (size_t n = 0; n < top->size() && n < count; ++n) {
                    const ScoreEntry& e = (*top)[n];
                    body += e.name + "\n" + e.level + "\n" + std::to_string(e.score) + "\n";
                }
                // The game never lists the last group it reads either, so one
                // closing line makes every entry above it show.
                body += "end\n";
                return Text(200, body);
            });
        case ScoreAction::GetVersion:
            return Text(200, "orbivore\n" + server.config.newestVersion + "\n");
    }
    return Text(500, "\n");
}

// Time, client, method, option, status, duration; never the query: it is
// a player's enciphered upload, and anyone reading the log could replay it.
void Log(ScoreServer& server, const HttpRequest& request, const HttpReply& reply, Clock::duration took) {
    CountRequest(server.metrics, reply.note[0] == '-' ? "none" : reply.note, reply.status,
                 std::chrono::duration<double>(took).count());
    std::lock_guard<std::mutex> lock(server.logMutex);
    if (!server.log) return;
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::fprintf(server.log, "%s %s %s %s %d %.2fms\n", when, ClientOf(server, request).c_str(),
                 LoggedMethod(request.method).c_str(), reply.note.c_str(), reply.status,
                 std::chrono::duration<double, std::milli>(took).count());
}

// What the request asks for, and the log's name for it; the slow part of
// the answer, if any, is left to the HTTP core's workers.
HttpReply Route(ScoreServer& server, const HttpRequest& request, std::string& note) {
    const char* route = FaceRoute(server, request.path);
    if (!route && !IsScript(request.path)) return Text(404, "not found\n");
    if (request.method != "GET" && request.method != "HEAD") {
        HttpReply reply = Text(405, "only GET\n");
        reply.headers.emplace_back("Allow", "GET, HEAD");
        return reply;
    }
    if (route) {
        note = route;
        // The metrics need no database; everything else here does.
        if (note == "metrics") return AnswerFace(server, note, request);
        return FromStore([&server, note, request] { return AnswerFace(server, note, request); });
    }
    const ScoreRequest parsed = ParseScoreRequest(request.path.substr(8), request.query, server.config.key);
    note = OptionName(parsed);
    if (!parsed.valid) return Text(400, "refused: " + parsed.error + "\n");
    return AnswerValid(server, parsed, ClientOf(server, request), request.method == "HEAD");
}

HttpReply Answer(ScoreServer& server, const HttpRequest& request) {
    std::string note = "-";
    HttpReply reply = Route(server, request, note);
    reply.note = note;
    if (reply.work)
        reply.work = [work = std::move(reply.work), note] {
            HttpReply done = work();
            done.note = note;
            return done;
        };
    return reply;
}

FILE* OpenLog(const std::string& path, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "a");
    if (!file) {
        error = "cannot open the log " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    setvbuf(file, nullptr, _IOLBF, 0);
    return file;
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
    // One worker per database connection.
    limits.workers = limits.threads;
    server.log = config.logPath.empty() ? config.log : OpenLog(config.logPath, error);
    if (!server.log && !config.logPath.empty()) return false;
    int listening = -1, metricsListening = -1;
    auto fail = [&] {
        if (listening >= 0) ::close(listening);
        if (metricsListening >= 0) ::close(metricsListening);
        server.store.reset();
        if (!config.logPath.empty()) std::fclose(server.log);
        server.log = nullptr;
        return false;
    };
    listening = OpenListeningSocket(config.bindAddress, config.port, server.port, error);
    if (listening < 0) return fail();
    if (config.metricsPort >= 0 &&
        (metricsListening = OpenListeningSocket(config.metricsAddress, config.metricsPort, server.metricsPort, error)) < 0)
        return fail();
    server.store = OpenScoreStore(config.database, limits.threads, error);
    if (!server.store) return fail();
    server.board.store = server.store.get();
    server.board.lifetime = config.boardLifetime;
    InvalidateBoard(server.board);
    const bool started = StartHttpCore(
        server.http, listening, limits, [&server](const HttpRequest& request) { return Answer(server, request); },
        error, [&server](const HttpRequest& request, const HttpReply& reply, Clock::duration took) {
            Log(server, request, reply, took);
        });
    listening = -1;  // the core's now, or closed
    if (!started) return fail();
    HttpLimits metricsLimits;
    metricsLimits.threads = metricsLimits.workers = 1;
    metricsLimits.connections = 64;
    if (metricsListening >= 0 &&
        !StartHttpCore(server.metricsHttp, metricsListening, metricsLimits,
                       [&server](const HttpRequest& request) { return AnswerMetricsAddress(server, request); }, error)) {
        metricsListening = -1;
        StopHttpCore(server.http);
        return fail();
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

void CloseScoreServer(ScoreServer& server, std::chrono::milliseconds grace) {
    StopHttpCore(server.metricsHttp);
    StopHttpCore(server.http, grace);
    server.store.reset();
    std::lock_guard<std::mutex> lock(server.logMutex);
    if (!server.config.logPath.empty() && server.log) std::fclose(server.log);
    server.log = nullptr;
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

bool ReloadScoreServer(ScoreServer& server, std::string& error) {
    // The deny-list says for itself why it could not be read.
    const bool ok = ReloadDenyList(server);
    if (server.config.logPath.empty()) return ok;
    FILE* reopened = OpenLog(server.config.logPath, error);
    if (!reopened) return false;
    std::lock_guard<std::mutex> lock(server.logMutex);
    std::swap(server.log, reopened);
    if (reopened) std::fclose(reopened);
    return ok;
}
