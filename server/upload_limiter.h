// Uploads a client address may make: a bucket per address that holds
// `perMinute` uploads and refills at that rate, so a burst after a long
// pause is fine and a flood is cut off. Addresses whose buckets are full
// again are forgotten, so the table stays as small as the current traffic.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

struct UploadLimiter {
    using Clock = std::chrono::steady_clock;
    struct Bucket {
        double tokens = 0;
        Clock::time_point refilled;
    };
    int perMinute = 30;  // 0: no limit
    std::mutex mutex;
    std::unordered_map<std::string, Bucket> buckets;
    Clock::time_point lastPrune{};
};

// Takes one upload from the address's bucket; false when it is empty.
bool TakeUpload(UploadLimiter& limiter, const std::string& address, UploadLimiter::Clock::time_point now);
// Gives back an upload taken for one that was not stored after all.
void ReturnUpload(UploadLimiter& limiter, const std::string& address);
