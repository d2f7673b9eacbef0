#include "board/rate_limit.h"

#include <algorithm>
#include <cmath>

namespace {
// Past this many addresses the full buckets are let go: they hold no debt.
constexpr size_t ADDRESSES_HELD_MAX = 10000;
}  // namespace

unsigned RateLimit::secondsToWait(const std::string& address, Clock::time_point now) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const double capacity = perMinute_;
    const double perSecond = capacity / 60.0;
    if (buckets_.size() >= ADDRESSES_HELD_MAX) {
        for (auto it = buckets_.begin(); it != buckets_.end();) {
            const double elapsed = std::chrono::duration<double>(now - it->second.filled).count();
            it = it->second.tokens + elapsed * perSecond >= capacity ? buckets_.erase(it) : ++it;
        }
    }
    auto [it, added] = buckets_.try_emplace(address, Bucket{capacity, now});
    Bucket& bucket = it->second;
    const double elapsed = std::chrono::duration<double>(now - bucket.filled).count();
    bucket.tokens = std::min(capacity, bucket.tokens + elapsed * perSecond);
    bucket.filled = now;
    if (bucket.tokens >= 1.0) {
        bucket.tokens -= 1.0;
        return 0;
    }
    if (perSecond <= 0.0) {
        return 60;
    }
    return static_cast<unsigned>(std::ceil((1.0 - bucket.tokens) / perSecond));
}
