// Inside the HTTP core: slow work handed from a network thread, whose
// connection is suspended meanwhile, to the workers. Its reply is decided
// once, by the work or by the deadline, and then the connection resumes.
#pragma once

#include "http_core.h"

struct HttpJob {
    MHD_Connection* connection = nullptr;
    std::function<HttpReply()> work;
    HttpReply fallback;
    std::function<void()> abandoned;
    std::chrono::steady_clock::time_point deadline;
    bool decided = false;  // under the core's mutex
    HttpReply reply;
};

// Suspends the job's connection and queues its work; when the workers are
// swamped or the core is stopping, the fallback is decided at once.
void QueueJob(HttpCore& core, const std::shared_ptr<HttpJob>& job);
// Sends the fallback to every job whose deadline has passed (`all`: to
// every job still waiting).
void GiveUpLateJobs(HttpCore& core, bool all);
void StartWorkers(HttpCore& core);
// Ends the workers once their current work is done.
void StopWorkers(HttpCore& core);
