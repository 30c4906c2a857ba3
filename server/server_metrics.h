// What /metrics tells a monitor, in the Prometheus text format: requests by
// option and status, their duration, open connections, refused uploads and
// the store's errors and reconnects.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>

enum class Refusal { RateLimit, Ceiling, DenyList };

struct ServerMetrics {
    static constexpr double Bounds[] = {0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5};
    static constexpr size_t BucketCount = sizeof Bounds / sizeof Bounds[0];
    std::mutex mutex;
    std::map<std::pair<std::string, int>, uint64_t> requests;  // (option, status)
    uint64_t buckets[BucketCount] = {};                        // not cumulative; +Inf is the count
    double seconds = 0;
    uint64_t count = 0;
    std::atomic<uint64_t> refused[3] = {};  // by Refusal
    std::atomic<uint64_t> storeErrors{0};
};

void CountRequest(ServerMetrics& metrics, const std::string& option, int status, double seconds);
std::string RenderMetrics(ServerMetrics& metrics, int openConnections, uint64_t reconnects);
