// A real HTTP server on 127.0.0.1 for the library's tests, on a port of its
// own. It records every request target and how many ran at once, and can hold
// requests until the test lets them go (a server that never answers).
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackServer {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    LoopbackServer();
    ~LoopbackServer();

    // Routes must be added before Start.
    void Route(const std::string& path, Handler handler);
    // Requests on this path wait until Release (or Stop).
    void HoldingRoute(const std::string& path);
    void Start();
    void Stop();

    std::string Url() const;
    std::vector<std::string> Targets();
    int MaxConcurrent();
    // Blocks until n requests have arrived.
    void WaitForRequests(size_t n);
    void Release();

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> targets_;
    int active_ = 0, maxActive_ = 0;
    bool released_ = false;
};
