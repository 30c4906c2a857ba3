// The score server's HTTP core: an event-driven server that slow or idle
// clients cannot starve. A few threads each run an epoll loop; a request's
// headers must arrive within a deadline, open connections are capped per
// client address and in total, and each connection's memory is bounded.
// The handler sees a finished request and returns the whole reply.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct MHD_Daemon;
struct MHD_Connection;

struct HttpRequest {
    std::string method;
    std::string path;   // without the query
    std::string query;  // everything after the "?", undecoded
    std::string peer;   // the connecting address
    std::string realIp; // the X-Real-IP header, empty when absent
};

struct HttpReply {
    int status = 200;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

using HttpHandler = std::function<HttpReply(const HttpRequest&)>;

struct HttpLimits {
    int threads = 4;
    int connections = 4000;       // in total
    // A closed connection counts until its client has closed too, so a
    // client making requests one after another may hold two.
    int connectionsPerAddress = 64;  // 0: no cap (behind a proxy)
    int headerSeconds = 5;        // from connecting (or the last reply) to complete headers
    int idleSeconds = 10;         // no traffic at all
    size_t memoryPerConnection = 16 * 1024;
};

struct HttpCore {
    MHD_Daemon* daemon = nullptr;
    HttpHandler handler;
    HttpLimits limits;
    // Connections waiting for headers and when they must have them; a
    // connection busy with a request is absent. A sweeper shuts down the late.
    std::mutex mutex;
    std::map<MHD_Connection*, std::chrono::steady_clock::time_point> waiting;
    std::condition_variable wake;
    bool stopping = false;
    std::thread sweeper;
};

// Binds address:port (0: any free port) without SO_REUSEPORT, so a second
// server cannot share a port that is taken; -1 with a reason.
int OpenListeningSocket(const std::string& address, int port, int& boundPort, std::string& error);

// Serves on the listening socket (which it then owns) until StopHttpCore.
bool StartHttpCore(HttpCore& core, int listenSocket, const HttpLimits& limits, HttpHandler handler,
                   std::string& error);
// Closes every connection and returns once no handler runs any more.
void StopHttpCore(HttpCore& core);
// Connections open now (0 when not serving).
int OpenConnections(const HttpCore& core);
