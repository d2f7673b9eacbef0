#include "board/answer_cache.h"

uint64_t AnswerCache::generation(uint32_t circuit) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = generations_.find(circuit);
    return found == generations_.end() ? 0 : found->second;
}

std::optional<std::string> AnswerCache::find(const std::string& key, Clock::time_point now) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = entries_.find(key);
    if (found == entries_.end() || now - found->second.kept > freshness_) {
        return std::nullopt;
    }
    return found->second.body;
}

void AnswerCache::keep(const std::string& key, uint32_t circuit, uint64_t generation,
                       std::string body, Clock::time_point now) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = generations_.find(circuit);
    if ((found == generations_.end() ? 0 : found->second) != generation) {
        return;  // a run came in while it was worked out: it may be stale already
    }
    if (entries_.size() >= most_) {
        entries_.clear();
    }
    entries_[key] = Entry{circuit, now, std::move(body)};
}

void AnswerCache::forgetCircuit(uint32_t circuit) {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++generations_[circuit];
    for (auto it = entries_.begin(); it != entries_.end();) {
        it = it->second.circuit == circuit ? entries_.erase(it) : std::next(it);
    }
}
