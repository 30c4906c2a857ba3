#include "server_metrics.h"

#include <cstdio>

void CountRequest(ServerMetrics& metrics, const std::string& option, int status, double seconds) {
    std::lock_guard<std::mutex> lock(metrics.mutex);
    ++metrics.requests[{option, status}];
    for (size_t n = 0; n < ServerMetrics::BucketCount; ++n)
        if (seconds <= ServerMetrics::Bounds[n]) {
            ++metrics.buckets[n];
            break;
        }
    metrics.seconds += seconds;
    ++metrics.count;
}

std::string RenderMetrics(ServerMetrics& metrics, int openConnections, uint64_t reconnects) {
    std::string text;
    char line[160];
    auto add = [&](const char* format, auto... values) {
        std::snprintf(line, sizeof line, format, values...);
        text += line;
    };
    std::lock_guard<std::mutex> lock(metrics.mutex);
    text += "# HELP orbivore_scores_requests_total Requests answered, by option and status.\n"
            "# TYPE orbivore_scores_requests_total counter\n";
    for (const auto& [key, n] : metrics.requests)
        add("orbivore_scores_requests_total{option=\"%s\",status=\"%d\"} %llu\n", key.first.c_str(), key.second,
            (unsigned long long)n);
    text += "# HELP orbivore_scores_request_duration_seconds Time from a request's headers to its answer.\n"
            "# TYPE orbivore_scores_request_duration_seconds histogram\n";
    uint64_t cumulative = 0;
    for (size_t n = 0; n < ServerMetrics::BucketCount; ++n) {
        cumulative += metrics.buckets[n];
        add("orbivore_scores_request_duration_seconds_bucket{le=\"%g\"} %llu\n", ServerMetrics::Bounds[n],
            (unsigned long long)cumulative);
    }
    add("orbivore_scores_request_duration_seconds_bucket{le=\"+Inf\"} %llu\n", (unsigned long long)metrics.count);
    add("orbivore_scores_request_duration_seconds_sum %.6f\n", metrics.seconds);
    add("orbivore_scores_request_duration_seconds_count %llu\n", (unsigned long long)metrics.count);
    text += "# HELP orbivore_scores_open_connections Connections open now.\n"
            "# TYPE orbivore_scores_open_connections gauge\n";
    add("orbivore_scores_open_connections %d\n", openConnections);
    text += "# HELP orbivore_scores_uploads_refused_total Uploads refused, by reason.\n"
            "# TYPE orbivore_scores_uploads_refused_total counter\n";
    const char* const reasons[] = {"rate_limit", "ceiling", "deny_list"};
    for (int n = 0; n < 3; ++n)
        add("orbivore_scores_uploads_refused_total{reason=\"%s\"} %llu\n", reasons[n],
            (unsigned long long)metrics.refused[n].load());
    text += "# HELP orbivore_scores_store_errors_total Store calls that failed (answered 503).\n"
            "# TYPE orbivore_scores_store_errors_total counter\n";
    add("orbivore_scores_store_errors_total %llu\n", (unsigned long long)metrics.storeErrors.load());
    text += "# HELP orbivore_scores_store_reconnects_total Database connections made again after one was lost.\n"
            "# TYPE orbivore_scores_store_reconnects_total counter\n";
    add("orbivore_scores_store_reconnects_total %llu\n", (unsigned long long)reconnects);
    return text;
}
