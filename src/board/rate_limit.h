#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <string>

// How many runs one address may send a minute: each address has a bucket
// that refills evenly over the minute, so a burst is taken and a flood is not.
class RateLimit {
public:
    using Clock = std::chrono::steady_clock;

    explicit RateLimit(unsigned perMinute) : perMinute_(perMinute) {}

    // 0 when one more is taken now, else the whole seconds to wait.
    unsigned secondsToWait(const std::string& address, Clock::time_point now = Clock::now());

private:
    struct Bucket {
        double tokens = 0.0;
        Clock::time_point filled;
    };
    unsigned perMinute_;
    std::mutex mutex_;
    std::map<std::string, Bucket> buckets_;
};
