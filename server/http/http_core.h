// The score server's HTTP core: an event-driven server that slow or idle
// clients cannot starve. A few threads each run an epoll loop; a request's
// headers must arrive within a deadline, open connections are capped per
// client address and in total, and each connection's memory is bounded.
// Connections are kept alive between requests, pipelined ones included.
// The handler sees a finished request and returns the whole reply, or the
// slow work that makes it: that runs on worker threads, so a stuck
// database never holds up a network thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
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
    std::string note = "-";  // for the log: what the request asked for
    // When set, the real reply is what this returns, run on a worker
    // thread. Should it not be done within HttpLimits::workSeconds, or the
    // workers be swamped, the client gets this reply instead and
    // `abandoned` runs (on some thread; the work may still finish later).
    std::function<HttpReply()> work{};
    std::function<void()> abandoned{};
};

using HttpHandler = std::function<HttpReply(const HttpRequest&)>;
// Told of every reply sent for a request, and how long it took.
using HttpLogger = std::function<void(const HttpRequest&, const HttpReply&, std::chrono::steady_clock::duration)>;

struct HttpLimits {
    int threads = 4;
    // In total. At the cap a new connection makes room by closing the one
    // that has waited longest for its next request's headers; only when
    // every connection is busy with a request is the new one refused.
    int connections = 4000;
    // A closed connection counts until its client has closed too, so a
    // client making requests one after another may hold two.
    int connectionsPerAddress = 64;  // 0: no cap (behind a proxy)
    int headerSeconds = 5;        // from connecting (or the last reply) to complete headers
    int idleSeconds = 10;         // no traffic at all
    size_t memoryPerConnection = 16 * 1024;
    int workers = 4;              // threads for the handlers' slow work
    int workSeconds = 2;          // how long a client waits for it
    size_t workQueued = 1024;     // work waiting beyond this is not queued
};

// A request's slow work from the moment it is handed to the workers until
// its reply is decided (by the work, or by the deadline).
struct HttpJob;

struct HttpCore {
    MHD_Daemon* daemon = nullptr;
    int listenSocket = -1;
    HttpHandler handler;
    HttpLogger logger;
    HttpLimits limits;
    // Connections waiting for headers and when they must have them; a
    // connection busy with a request is absent. A sweeper shuts down the late.
    std::mutex mutex;
    std::map<MHD_Connection*, std::chrono::steady_clock::time_point> waiting;
    // Open connections, and those already shut down to make room that
    // have not closed yet.
    int open = 0;
    std::set<MHD_Connection*> evicted;
    // Requests whose headers have come in and whose reply is not sent yet.
    int inFlight = 0;
    std::condition_variable settled;
    std::set<std::shared_ptr<HttpJob>> pending;  // suspended for their work
    std::deque<std::shared_ptr<HttpJob>> queue;  // not yet taken by a worker
    std::condition_variable queued;
    std::vector<std::thread> workers;
    std::condition_variable wake;
    bool stopping = false;  // the sweeper and the workers end
    std::atomic<bool> draining{false};  // no more work is queued
    std::thread sweeper;
};

// Binds address:port (0: any free port) without SO_REUSEPORT, so a second
// server cannot share a port that is taken; -1 with a reason.
int OpenListeningSocket(const std::string& address, int port, int& boundPort, std::string& error);

// Serves on the listening socket (which it then owns) until StopHttpCore.
bool StartHttpCore(HttpCore& core, int listenSocket, const HttpLimits& limits, HttpHandler handler,
                   std::string& error, HttpLogger logger = nullptr);
// Stops taking connections, lets the requests in flight finish for up to
// `grace`, then closes every connection; returns once no handler or work
// runs any more.
void StopHttpCore(HttpCore& core, std::chrono::milliseconds grace = std::chrono::milliseconds(0));
// Connections open now (0 when not serving).
int OpenConnections(const HttpCore& core);
