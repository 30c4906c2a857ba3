// orbivore-scores: the score server the game's highscore screen talks to.
//   orbivore-scores [--bind ADDRESS] [--port PORT] [--newest VERSION] DATABASE
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "score_server.h"

namespace {

int Usage(FILE* to, int code) {
    std::fprintf(to,
                 "usage: orbivore-scores [--bind ADDRESS] [--port PORT] [--newest VERSION] DATABASE\n"
                 "  serves the game's score requests under /scores (default 127.0.0.1:8080);\n"
                 "  DATABASE is a SQLite file, created when missing; --newest is the version\n"
                 "  announced to games (default 1.00)\n");
    return code;
}

bool ReadPort(const char* text, int& port) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < 1 || value > 65535) return false;
    port = int(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ScoreServerConfig config;
    bool haveDatabase = false;
    for (int n = 1; n < argc; ++n) {
        const std::string arg = argv[n];
        const bool hasValue = n + 1 < argc;
        if (arg == "--help" || arg == "-h") return Usage(stdout, 0);
        if (arg == "--port" && hasValue) {
            if (!ReadPort(argv[++n], config.port)) return Usage(stderr, 2);
        } else if (arg == "--bind" && hasValue) {
            config.bindAddress = argv[++n];
        } else if (arg == "--newest" && hasValue) {
            config.newestVersion = argv[++n];
        } else if (!arg.empty() && arg[0] != '-' && !haveDatabase) {
            config.database = arg;
            haveDatabase = true;
        } else {
            return Usage(stderr, 2);
        }
    }
    if (!haveDatabase) return Usage(stderr, 2);

    // Signals are taken by one thread that stops the server in order.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

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
            if (sigtimedwait(&stopSignals, nullptr, &tick) > 0) {
                StopScoreServer(server);
                return;
            }
        }
    });
    std::printf("orbivore-scores: serving http://%s:%d/scores from %s\n", config.bindAddress.c_str(), server.port,
                config.database.c_str());
    std::fflush(stdout);
    RunScoreServer(server);
    // The server may also end by itself; the waiter then sees the flag.
    finished.store(true);
    waiter.join();
    CloseScoreServer(server);
    return 0;
}
