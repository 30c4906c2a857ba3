#include "upload_limiter.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>

namespace {

void Refill(const UploadLimiter& limiter, UploadLimiter::Bucket& b, UploadLimiter::Clock::time_point now) {
    const double minutes = std::chrono::duration<double>(now - b.refilled).count() / 60.0;
    b.tokens = std::min(double(limiter.perMinute), b.tokens + minutes * limiter.perMinute);
    b.refilled = now;
}

// One IPv6 holder usually has a whole /64 to pick addresses from: it counts
// as one client. IPv4 clients of a dual-stack socket stay one each.
std::string ClientKey(const std::string& address) {
    in6_addr v6{};
    if (address.find(':') == std::string::npos || inet_pton(AF_INET6, address.c_str(), &v6) != 1 ||
        IN6_IS_ADDR_V4MAPPED(&v6))
        return address;
    unsigned char* bytes = v6.s6_addr;
    std::fill(bytes + 8, bytes + 16, 0);
    char text[INET6_ADDRSTRLEN];
    return std::string(inet_ntop(AF_INET6, bytes, text, sizeof text)) + "/64";
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
    auto [it, added] = limiter.buckets.try_emplace(ClientKey(address));
    if (added) it->second = {double(limiter.perMinute), now};
    Refill(limiter, it->second, now);
    if (it->second.tokens < 1) return false;
    it->second.tokens -= 1;
    return true;
}

void ReturnUpload(UploadLimiter& limiter, const std::string& address) {
    if (limiter.perMinute <= 0) return;
    std::lock_guard<std::mutex> lock(limiter.mutex);
    const auto it = limiter.buckets.find(ClientKey(address));
    if (it != limiter.buckets.end()) it->second.tokens = std::min(double(limiter.perMinute), it->second.tokens + 1);
}
