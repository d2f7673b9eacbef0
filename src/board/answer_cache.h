#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

// Answers about a circuit kept for a moment, so a board read by many at once
// is asked of the database once. A run this board keeps forgets its circuit's
// answers at once; runs kept by other boards sharing the database show within
// the freshness.
class AnswerCache {
public:
    using Clock = std::chrono::steady_clock;

    AnswerCache(std::chrono::milliseconds freshness, size_t most)
        : freshness_(freshness), most_(most) {}

    // The circuit's generation now: an answer worked out from it is kept
    // only if no run came in meanwhile.
    uint64_t generation(uint32_t circuit);
    std::optional<std::string> find(const std::string& key, Clock::time_point now = Clock::now());
    void keep(const std::string& key, uint32_t circuit, uint64_t generation, std::string body,
              Clock::time_point now = Clock::now());
    void forgetCircuit(uint32_t circuit);

private:
    struct Entry {
        uint32_t circuit = 0;
        Clock::time_point kept;
        std::string body;
    };
    std::chrono::milliseconds freshness_;
    size_t most_;
    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    std::map<uint32_t, uint64_t> generations_;
};
