#include <microhttpd.h>

#include "http_job.h"

namespace {

// The first to decide a job's reply wins; the connection resumes once, and
// the network thread then sends job->reply.
bool Decide(HttpCore& core, const std::shared_ptr<HttpJob>& job, HttpReply reply) {
    {
        std::lock_guard<std::mutex> lock(core.mutex);
        if (job->decided) return false;
        job->decided = true;
        job->reply = std::move(reply);
        core.pending.erase(job);
    }
    MHD_resume_connection(job->connection);
    return true;
}

void GiveUp(HttpCore& core, const std::shared_ptr<HttpJob>& job) {
    if (Decide(core, job, job->fallback) && job->abandoned) job->abandoned();
}

void Work(HttpCore& core) {
    for (;;) {
        std::shared_ptr<HttpJob> job;
        {
            std::unique_lock<std::mutex> lock(core.mutex);
            core.queued.wait(lock, [&core] { return core.stopping || !core.queue.empty(); });
            if (core.stopping) return;
            job = std::move(core.queue.front());
            core.queue.pop_front();
            // Given up on while it waited: its client has had its answer.
            if (job->decided) continue;
        }
        Decide(core, job, job->work());
    }
}

}  // namespace

void QueueJob(HttpCore& core, const std::shared_ptr<HttpJob>& job) {
    // Suspended before any worker can see it, so that the resume that ends
    // the work never comes first.
    MHD_suspend_connection(job->connection);
    bool taken = false;
    {
        std::lock_guard<std::mutex> lock(core.mutex);
        if (!core.draining.load() && core.queue.size() < core.limits.workQueued) {
            core.pending.insert(job);
            core.queue.push_back(job);
            taken = true;
        }
    }
    if (taken) {
        core.queued.notify_one();
        return;
    }
    {
        std::lock_guard<std::mutex> lock(core.mutex);
        core.pending.insert(job);
    }
    GiveUp(core, job);
}

void GiveUpLateJobs(HttpCore& core, bool all) {
    std::vector<std::shared_ptr<HttpJob>> late;
    {
        std::lock_guard<std::mutex> lock(core.mutex);
        const auto now = std::chrono::steady_clock::now();
        for (const auto& job : core.pending)
            if (all || job->deadline <= now) late.push_back(job);
    }
    for (const auto& job : late) GiveUp(core, job);
}

void StartWorkers(HttpCore& core) {
    for (int n = 0; n < std::max(core.limits.workers, 1); ++n) core.workers.emplace_back([&core] { Work(core); });
}

void StopWorkers(HttpCore& core) {
    {
        std::lock_guard<std::mutex> lock(core.mutex);
        core.stopping = true;
        core.queue.clear();
    }
    core.queued.notify_all();
    for (std::thread& t : core.workers) t.join();
    core.workers.clear();
}
