#include "upload_limiter.h"

#include <algorithm>

namespace {

void Refill(const UploadLimiter& limiter, UploadLimiter::Bucket& b, UploadLimiter::Clock::time_point now) {
    const double minutes = std::chrono::duration<double>(now - b.refilled).count() / 60.0;
    b.tokens = std::min(double(limiter.perMinute), b.tokens + minutes * limiter.perMinute);
    b.refilled = now;
}

}  // namespace

bool TakeUpload(UploadLimiter& limiter, const std::string& address, UploadLimiter::Clock::time_point now) {
    if (limiter.perMinute <= 0) return true;
    std::lock_guard<std::mutex> lock(limiter.mutex);
    if (now - limiter.lastPrune > std::chrono::minutes(1)) {
        for (auto it = limiter.buckets.begin(); it != limiter.buckets.end();) {
            Refill(limiter, it->second, now);
            it = it->second.tokens >= limiter.perMinute ? limiter.buckets.erase(it) : std::next(it);
        }
        limiter.lastPrune = now;
    }
    auto [it, added] = limiter.buckets.try_emplace(address);
    if (added) it->second = {double(limiter.perMinute), now};
    Refill(limiter, it->second, now);
    if (it->second.tokens < 1) return false;
    it->second.tokens -= 1;
    return true;
}
