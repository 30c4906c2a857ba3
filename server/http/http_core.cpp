#include "http_core.h"

#include "http_job.h"

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

// What a request carries through MHD's calls: its raw target from the
// moment the request line arrives, and its slow work once handed out.
struct RequestState {
    std::string target;
    bool started = false;
    Clock::time_point start;
    HttpRequest request;
    std::shared_ptr<HttpJob> job;
};

void AwaitHeaders(HttpCore& core, MHD_Connection* connection) {
    std::lock_guard<std::mutex> lock(core.mutex);
    core.waiting[connection] = Clock::now() + std::chrono::seconds(core.limits.headerSeconds);
}

// Under the core's mutex. The connection no longer counts against the cap;
// MHD closes it when it sees the shutdown.
void ShutDown(HttpCore& core, MHD_Connection* connection) {
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    if (info) ::shutdown(info->connect_fd, SHUT_RDWR);
    core.waiting.erase(connection);
    core.evicted.insert(connection);
}

// At the cap, the connection that has waited longest for headers (idle,
// or trickling them in) makes room: a flood of slow connections then
// pushes out its own oldest rather than locking real clients out.
void MakeRoom(HttpCore& core, MHD_Connection* arrived) {
    if (core.open - int(core.evicted.size()) <= core.limits.connections) return;
    MHD_Connection* oldest = arrived;
    Clock::time_point due = Clock::time_point::max();
    for (const auto& [connection, deadline] : core.waiting)
        if (connection != arrived && deadline < due) oldest = connection, due = deadline;
    ShutDown(core, oldest);
}

void NotifyConnection(void* cls, MHD_Connection* connection, void**, MHD_ConnectionNotificationCode code) {
    auto& core = *static_cast<HttpCore*>(cls);
    std::lock_guard<std::mutex> lock(core.mutex);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        ++core.open;
        core.waiting[connection] = Clock::now() + std::chrono::seconds(core.limits.headerSeconds);
        MakeRoom(core, connection);
    } else {
        // Called before the socket is closed, so the sweeper never touches
        // a descriptor that has been reused.
        --core.open;
        core.waiting.erase(connection);
        core.evicted.erase(connection);
    }
}

// MHD splits off and decodes the query; the score protocol reads it raw, so
// the request line's target is kept from the moment it arrives.
void* KeepTarget(void*, const char* uri, MHD_Connection*) {
    auto* state = new RequestState;
    state->target = uri ? uri : "";
    return state;
}

void RequestCompleted(void* cls, MHD_Connection* connection, void** context, MHD_RequestTerminationCode code) {
    auto& core = *static_cast<HttpCore*>(cls);
    auto* state = static_cast<RequestState*>(*context);
    *context = nullptr;
    if (state && state->started) {
        std::lock_guard<std::mutex> lock(core.mutex);
        --core.inFlight;
    }
    delete state;
    core.settled.notify_all();
    // A kept-alive connection owes the next request's headers in time too;
    // one ended any other way is closing and must not be watched again.
    if (code == MHD_REQUEST_TERMINATED_COMPLETED_OK) AwaitHeaders(core, connection);
}

// MHD's own timeout restarts with every byte, so a client trickling its
// headers would hold the connection for ever; this deadline does not move.
// Work past its deadline is answered here too.
void Sweep(HttpCore& core) {
    std::unique_lock<std::mutex> lock(core.mutex);
    while (!core.stopping) {
        core.wake.wait_for(lock, std::chrono::milliseconds(250));
        const auto now = Clock::now();
        for (auto it = core.waiting.begin(); it != core.waiting.end();) {
            MHD_Connection* connection = it->first;
            const bool late = it->second <= now;
            ++it;
            if (late) ShutDown(core, connection);
        }
        lock.unlock();
        GiveUpLateJobs(core, false);
        lock.lock();
    }
}

MHD_Result Send(HttpCore& core, MHD_Connection* connection, const RequestState& state, const HttpReply& reply) {
    MHD_Response* response =
        MHD_create_response_from_buffer(reply.body.size(), const_cast<char*>(reply.body.data()), MHD_RESPMEM_MUST_COPY);
    if (!response) return MHD_NO;
    for (const auto& [name, value] : reply.headers) MHD_add_response_header(response, name.c_str(), value.c_str());
    // While stopping, kept-alive clients are told to go.
    if (core.draining.load()) MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
    const MHD_Result queued = MHD_queue_response(connection, unsigned(reply.status), response);
    MHD_destroy_response(response);
    if (core.logger) core.logger(state.request, reply, Clock::now() - state.start);
    return queued;
}

HttpReply Refusal(const std::string& why) {
    HttpReply reply;
    reply.status = 400;
    reply.body = why + "\n";
    reply.headers = {{"Content-Type", "text/plain"}, {MHD_HTTP_HEADER_CONNECTION, "close"}};
    return reply;
}

MHD_Result Answer(void* cls, MHD_Connection* connection, const char* url, const char* method, const char* version,
                  const char*, size_t* uploadSize, void** context) {
    auto& core = *static_cast<HttpCore*>(cls);
    auto* state = static_cast<RequestState*>(*context);
    if (!state) return MHD_NO;
    // The first call comes with the headers. A reply queued then would make
    // MHD close the connection, since it cannot know the request is over;
    // answered on the next call, the connection stays open for the next.
    if (!state->started) {
        state->started = true;
        state->start = Clock::now();
        std::lock_guard<std::mutex> lock(core.mutex);
        // The headers are complete: the connection is no longer late.
        core.waiting.erase(connection);
        ++core.inFlight;
        return MHD_YES;
    }
    if (*uploadSize) {
        *uploadSize = 0;  // a body means nothing to any of our requests
        return MHD_YES;
    }
    if (state->job) return Send(core, connection, *state, state->job->reply);

    HttpRequest& request = state->request;
    request.method = method;
    request.path = url;
    const size_t mark = state->target.find('?');
    if (mark != std::string::npos) request.query = state->target.substr(mark + 1);
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    request.peer = AddressText(info ? info->client_addr : nullptr);
    if (const char* realIp = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "X-Real-IP"))
        request.realIp = realIp;
    if (std::string(version) == MHD_HTTP_VERSION_1_1 &&
        !MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_HOST))
        return Send(core, connection, *state, Refusal("an HTTP/1.1 request needs a Host header"));
    HttpReply reply = core.handler(request);
    if (!reply.work) return Send(core, connection, *state, reply);

    auto job = std::make_shared<HttpJob>();
    job->connection = connection;
    job->work = std::move(reply.work);
    job->abandoned = std::move(reply.abandoned);
    job->fallback = std::move(reply);
    job->deadline = Clock::now() + std::chrono::seconds(core.limits.workSeconds);
    state->job = job;
    QueueJob(core, job);
    return MHD_YES;
}

}  // namespace

bool StartHttpCore(HttpCore& core, int listenSocket, const HttpLimits& limits, HttpHandler handler,
                   std::string& error, HttpLogger logger) {
    core.limits = limits;
    core.handler = std::move(handler);
    core.logger = std::move(logger);
    core.stopping = false;
    core.draining = false;
    core.listenSocket = listenSocket;
    // MHD's own cap only stops a flood of connections that have been shut
    // down to make room but are not closed yet; the real cap is ours.
    const unsigned hardCap = unsigned(limits.connections + limits.connections / 4 + 16 * limits.threads);
    core.daemon = MHD_start_daemon(
        MHD_USE_EPOLL_INTERNAL_THREAD | MHD_ALLOW_SUSPEND_RESUME, 0, nullptr, nullptr, &Answer, &core,
        MHD_OPTION_LISTEN_SOCKET, listenSocket, MHD_OPTION_THREAD_POOL_SIZE, unsigned(limits.threads),
        MHD_OPTION_CONNECTION_LIMIT, hardCap, MHD_OPTION_PER_IP_CONNECTION_LIMIT,
        unsigned(limits.connectionsPerAddress), MHD_OPTION_CONNECTION_TIMEOUT, unsigned(limits.idleSeconds),
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, limits.memoryPerConnection, MHD_OPTION_NOTIFY_CONNECTION,
        &NotifyConnection, &core, MHD_OPTION_NOTIFY_COMPLETED, &RequestCompleted, &core,
        MHD_OPTION_URI_LOG_CALLBACK, &KeepTarget, nullptr, MHD_OPTION_END);
    if (!core.daemon) {
        ::close(listenSocket);
        error = "cannot start the HTTP server";
        return false;
    }
    StartWorkers(core);
    core.sweeper = std::thread([&core] { Sweep(core); });
    return true;
}

void StopHttpCore(HttpCore& core, std::chrono::milliseconds grace) {
    if (!core.daemon) return;
    core.draining = true;
    // No new connections; the listening socket is ours to close afterwards.
    const bool quiesced = MHD_quiesce_daemon(core.daemon) != MHD_INVALID_SOCKET;
    {
        std::unique_lock<std::mutex> lock(core.mutex);
        core.settled.wait_for(lock, grace, [&core] { return core.inFlight == 0; });
    }
    // MHD must not stop with a connection suspended.
    GiveUpLateJobs(core, true);
    StopWorkers(core);
    core.wake.notify_all();
    core.sweeper.join();
    MHD_stop_daemon(core.daemon);
    if (quiesced) ::close(core.listenSocket);
    core.daemon = nullptr;
    core.listenSocket = -1;
    core.waiting.clear();
    core.evicted.clear();
    core.pending.clear();
    core.open = core.inFlight = 0;
}

int OpenConnections(const HttpCore& core) {
    if (!core.daemon) return 0;
    const MHD_DaemonInfo* info = MHD_get_daemon_info(core.daemon, MHD_DAEMON_INFO_CURRENT_CONNECTIONS);
    return info ? int(info->num_connections) : 0;
}
