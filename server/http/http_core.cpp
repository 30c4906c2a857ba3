#include "http_core.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string AddressText(const sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = "";
    if (!address) return "-";
    if (address->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    else if (address->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text, sizeof text);
    return text[0] ? text : "-";
}

void AwaitHeaders(HttpCore& core, MHD_Connection* connection) {
    std::lock_guard<std::mutex> lock(core.mutex);
    core.waiting[connection] = Clock::now() + std::chrono::seconds(core.limits.headerSeconds);
}

void NotifyConnection(void* cls, MHD_Connection* connection, void**, MHD_ConnectionNotificationCode code) {
    auto& core = *static_cast<HttpCore*>(cls);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        AwaitHeaders(core, connection);
    } else {
        // Called before the socket is closed, so the sweeper never touches
        // a descriptor that has been reused.
        std::lock_guard<std::mutex> lock(core.mutex);
        core.waiting.erase(connection);
    }
}

// MHD splits off and decodes the query; the score protocol reads it raw, so
// the request line's target is kept from the moment it arrives.
void* KeepTarget(void*, const char* uri, MHD_Connection*) { return new std::string(uri ? uri : ""); }

void RequestCompleted(void* cls, MHD_Connection* connection, void** context, MHD_RequestTerminationCode code) {
    delete static_cast<std::string*>(*context);
    *context = nullptr;
    // A kept-alive connection owes the next request's headers in time too;
    // one ended any other way is closing and must not be watched again.
    if (code == MHD_REQUEST_TERMINATED_COMPLETED_OK) AwaitHeaders(*static_cast<HttpCore*>(cls), connection);
}

// MHD's own timeout restarts with every byte, so a client trickling its
// headers would hold the connection for ever; this deadline does not move.
void Sweep(HttpCore& core) {
    std::unique_lock<std::mutex> lock(core.mutex);
    while (!core.stopping) {
        core.wake.wait_for(lock, std::chrono::milliseconds(250));
        const auto now = Clock::now();
        for (auto it = core.waiting.begin(); it != core.waiting.end();) {
            if (it->second > now) {
                ++it;
                continue;
            }
            const MHD_ConnectionInfo* info = MHD_get_connection_info(it->first, MHD_CONNECTION_INFO_CONNECTION_FD);
            if (info) ::shutdown(info->connect_fd, SHUT_RDWR);
            it = core.waiting.erase(it);
        }
    }
}

MHD_Result Answer(void* cls, MHD_Connection* connection, const char* url, const char* method, const char*,
                  const char*, size_t*, void** context) {
    auto& core = *static_cast<HttpCore*>(cls);
    {
        // The headers are complete: the connection is no longer late.
        std::lock_guard<std::mutex> lock(core.mutex);
        core.waiting.erase(connection);
    }
    HttpRequest request;
    request.method = method;
    request.path = url;
    if (const auto* target = static_cast<const std::string*>(*context)) {
        const size_t mark = target->find('?');
        if (mark != std::string::npos) request.query = target->substr(mark + 1);
    }
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    request.peer = AddressText(info ? info->client_addr : nullptr);
    if (const char* realIp = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "X-Real-IP"))
        request.realIp = realIp;
    const HttpReply reply = core.handler(request);
    MHD_Response* response =
        MHD_create_response_from_buffer(reply.body.size(), const_cast<char*>(reply.body.data()), MHD_RESPMEM_MUST_COPY);
    if (!response) return MHD_NO;
    for (const auto& [name, value] : reply.headers) MHD_add_response_header(response, name.c_str(), value.c_str());
    const MHD_Result queued = MHD_queue_response(connection, unsigned(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

}  // namespace

bool StartHttpCore(HttpCore& core, int listenSocket, const HttpLimits& limits, HttpHandler handler,
                   std::string& error) {
    core.limits = limits;
    core.handler = std::move(handler);
    core.stopping = false;
        core.daemon = MHD_start_daemon(
        MHD_USE_EPOLL_INTERNAL_THREAD, 0, nullptr, nullptr, &Answer, &core, MHD_OPTION_LISTEN_SOCKET, listenSocket,
        MHD_OPTION_THREAD_POOL_SIZE, unsigned(limits.threads), MHD_OPTION_CONNECTION_LIMIT,
        unsigned(limits.connections), MHD_OPTION_PER_IP_CONNECTION_LIMIT, unsigned(limits.connectionsPerAddress),
        MHD_OPTION_CONNECTION_TIMEOUT, unsigned(limits.idleSeconds), MHD_OPTION_CONNECTION_MEMORY_LIMIT,
        limits.memoryPerConnection, MHD_OPTION_NOTIFY_CONNECTION, &NotifyConnection, &core,
        MHD_OPTION_NOTIFY_COMPLETED, &RequestCompleted, &core, MHD_OPTION_URI_LOG_CALLBACK, &KeepTarget, nullptr,
        MHD_OPTION_END);
    if (!core.daemon) {
        ::close(listenSocket);
        error = "cannot start the HTTP server";
        return false;
    }
    core.sweeper = std::thread([&core] { Sweep(core); });
    return true;
}

void StopHttpCore(HttpCore& core) {
    if (!core.daemon) return;
    {
        std::lock_guard<std::mutex> lock(core.mutex);
        core.stopping = true;
    }
    core.wake.notify_all();
    core.sweeper.join();
    MHD_stop_daemon(core.daemon);
    core.daemon = nullptr;
    core.waiting.clear();
}

int OpenConnections(const HttpCore& core) {
    if (!core.daemon) return 0;
    const MHD_DaemonInfo* info = MHD_get_daemon_info(core.daemon, MHD_DAEMON_INFO_CURRENT_CONNECTIONS);
    return info ? int(info->num_connections) : 0;
}
