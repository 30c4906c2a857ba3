// orbivore-scores: the score server the game's highscore screen talks to.
#include <sys/resource.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "moderation.h"
#include "score_server.h"

namespace {

const char* const Help =
    "usage: orbivore-scores [OPTION]... DATABASE\n"
    "       orbivore-scores hide NAME DATABASE | unhide NAME DATABASE | hidden DATABASE\n"
    "Serves the game's score requests under http://ADDRESS:PORT/scores, the\n"
    "leaderboard page at / and /scores/, /api/top, /healthz and /metrics.\n"
    "\n"
    "DATABASE is a SQLite file, created when missing, or a PostgreSQL URI\n"
    "(postgresql://USER@HOST/DBNAME); the table is created or updated at start.\n"
    "\n"
    "  --bind ADDRESS            numeric address to listen on (default 127.0.0.1)\n"
    "  --port PORT               port to listen on (default 8080; 0: any free port)\n"
    "  --newest VERSION          game version announced as the newest (default 1.00)\n"
    "  --uploads-per-minute N    uploads one client address may make (default 30; 0: no limit)\n"
    "  --max-points N            highest score accepted (default 99999999)\n"
    "  --behind-proxy            take the client address from X-Real-IP when the peer\n"
    "                            is a loopback address, and leave connection caps to the proxy\n"
    "  --max-connections N       open connections in total (default 4000)\n"
    "  --max-per-address N       open connections per client address (default 64)\n"
    "  --header-timeout SECONDS  time a client has to send a request's headers (default 5)\n"
    "  --threads N               event loops, and PostgreSQL connections (default 4)\n"
    "  --deny-names FILE         words, one a line, no uploaded name may hold\n"
    "                            (read at start and on SIGHUP)\n"
    "  --metrics-bind ADDR:PORT  serve /metrics there only, e.g. 127.0.0.1:9101\n"
    "  --quiet                   no line per request on standard error\n"
    "  --log FILE                append the request log to FILE instead (SIGHUP reopens it)\n"
    "  -h, --help                this text\n"
    "\n"
    "Each request is logged on standard error as: time, client address, method,\n"
    "option, status, duration. SIGTERM or SIGINT stops the server after the\n"
    "requests in flight (for up to 2 s); SIGHUP reads the deny-list again and\n"
    "reopens the --log file.\n"
    "\n"
    "hide keeps a name off every list (its scores stay stored), unhide lists it\n"
    "again, hidden lists the hidden names; they work while servers run.\n";

bool ReadNumber(const char* text, long low, long high, long& out) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (!*text || *end || errno || value < low || value > high) return false;
    out = value;
    return true;
}

// Every held connection is a descriptor; the default soft limit of 1024
// would cap the server below its own connection limit.
void RaiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// "127.0.0.1:9101" or "[::1]:9101".
bool ReadAddressAndPort(const std::string& text, std::string& address, int& port) {
    const size_t colon = text.rfind(':');
    long number = 0;
    if (colon == std::string::npos || !ReadNumber(text.c_str() + colon + 1, 0, 65535, number)) return false;
    address = text.substr(0, colon);
    if (address.size() > 2 && address.front() == '[' && address.back() == ']') address = address.substr(1, address.size() - 2);
    port = int(number);
    return !address.empty();
}

// "127.0.0.1:8080", "[::1]:8080": an IPv6 address needs its brackets.
std::string HostAndPort(const std::string& address, int port) {
    const bool v6 = address.find(':') != std::string::npos;
    return (v6 ? "[" + address + "]" : address) + ":" + std::to_string(port);
}

int Refuse(const std::string& why) {
    std::fprintf(stderr, "orbivore-scores: %s (see --help)\n", why.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int moderated = RunModerationCommand(argc, argv);
    if (moderated >= 0) return moderated;
    ScoreServerConfig config;
    bool haveDatabase = false;
    for (int n = 1; n < argc; ++n) {
        const std::string arg = argv[n];
        if (arg == "--help" || arg == "-h") {
            std::fputs(Help, stdout);
            return 0;
        }
        if (arg == "--behind-proxy") {
            config.behindProxy = true;
            continue;
        }
        if (arg == "--quiet") {
            config.log = nullptr;
            continue;
        }
        if (!arg.empty() && arg[0] != '-') {
            if (haveDatabase) return Refuse("more than one DATABASE");
            config.database = arg;
            haveDatabase = true;
            continue;
        }
        if (n + 1 >= argc) return Refuse("unknown option or missing value: " + arg);
        const char* value = argv[++n];
        long number = 0;
        bool ok = true;
        if (arg == "--bind") config.bindAddress = value;
        else if (arg == "--deny-names") config.denyNames = value;
        else if (arg == "--metrics-bind") ok = ReadAddressAndPort(value, config.metricsAddress, config.metricsPort);
        else if (arg == "--log") config.logPath = value;
        else if (arg == "--newest") config.newestVersion = value;
        else if (arg == "--port" && (ok = ReadNumber(value, 0, 65535, number))) config.port = int(number);
        else if (arg == "--uploads-per-minute" && (ok = ReadNumber(value, 0, 1000000, number))) config.uploadsPerMinute = int(number);
        else if (arg == "--max-points" && (ok = ReadNumber(value, 1, 2147483647, number))) config.maxPoints = number;
        else if (arg == "--max-connections" && (ok = ReadNumber(value, 1, 1000000, number))) config.http.connections = int(number);
        else if (arg == "--max-per-address" && (ok = ReadNumber(value, 1, 1000000, number))) config.http.connectionsPerAddress = int(number);
        else if (arg == "--header-timeout" && (ok = ReadNumber(value, 1, 3600, number))) config.http.headerSeconds = int(number);
        else if (arg == "--threads" && (ok = ReadNumber(value, 1, 256, number))) config.http.threads = int(number);
        else if (ok) return Refuse("unknown option: " + arg);
        if (!ok) return Refuse("bad value for " + arg + ": " + value);
    }
    if (!haveDatabase) return Refuse("no DATABASE given");
    RaiseDescriptorLimit();

    // Signals are taken by one thread, so none of them can end the server
    // half way through a request: the stop signals stop it in order, SIGHUP
    // reloads, and the others an operator may send by mistake do nothing.
    sigset_t signals;
    sigemptyset(&signals);
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2, SIGQUIT}) sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    static ScoreServer server;
    std::string error;
    if (!SetUpScoreServer(server, config, error)) {
        std::fprintf(stderr, "orbivore-scores: %s\n", error.c_str());
        return 1;
    }
    std::atomic<bool> finished{false};
    std::thread waiter([&] {
        const timespec tick = {0, 200 * 1000 * 1000};
        while (!finished.load()) {
            const int got = sigtimedwait(&signals, nullptr, &tick);
            if (got == SIGINT || got == SIGTERM) {
                StopScoreServer(server);
                return;
            }
            std::string why;
            if (got == SIGHUP && !ReloadScoreServer(server, why) && !why.empty())
                std::fprintf(stderr, "orbivore-scores: reload: %s\n", why.c_str());
        }
    });
    // A PostgreSQL URI may carry a password: only its kind is printed.
    const bool postgresql = config.database.find("://") != std::string::npos;
    std::string metrics;
    if (config.metricsPort >= 0) metrics = ", /metrics on " + HostAndPort(config.metricsAddress, server.metricsPort);
    std::fprintf(stderr, "orbivore-scores: serving http://%s/scores and the page at / from %s%s\n",
                 HostAndPort(config.bindAddress, server.port).c_str(),
                 postgresql ? "PostgreSQL" : config.database.c_str(), metrics.c_str());
    RunScoreServer(server);
    finished.store(true);
    waiter.join();
    CloseScoreServer(server, std::chrono::seconds(2));
    return 0;
}
