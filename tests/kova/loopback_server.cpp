#include "loopback_server.h"

LoopbackServer::LoopbackServer() = default;

LoopbackServer::~LoopbackServer() { Stop(); }

void LoopbackServer::Route(const std::string& path, Handler handler) {
    server_.Get(path, [this, handler](const httplib::Request& request, httplib::Response& response) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            targets_.push_back(request.target);
            ++active_;
            if (active_ > maxActive_) maxActive_ = active_;
            changed_.notify_all();
        }
        handler(request, response);
        std::lock_guard<std::mutex> lock(mutex_);
        --active_;
    });
}

void LoopbackServer::HoldingRoute(const std::string& path) {
    Route(path, [this](const httplib::Request&, httplib::Response& response) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return released_; });
        response.set_content("late\n", "text/plain");
    });
}

void LoopbackServer::Start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // Stop only works once the accept loop runs.
    while (!server_.is_running()) std::this_thread::yield();
}

void LoopbackServer::Stop() {
    Release();
    if (thread_.joinable()) {
        server_.stop();
        thread_.join();
    }
}

std::string LoopbackServer::Url() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> LoopbackServer::Targets() {
    std::lock_guard<std::mutex> lock(mutex_);
    return targets_;
}

int LoopbackServer::MaxConcurrent() {
    std::lock_guard<std::mutex> lock(mutex_);
    return maxActive_;
}

void LoopbackServer::WaitForRequests(size_t n) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return targets_.size() >= n; });
}

void LoopbackServer::Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
    changed_.notify_all();
}
