#include "saves/disk_notices.h"

#include <algorithm>
#include <cstdio>

NoticeQueue gDiskNotices;

bool NoticeQueue::add(const std::string& text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!said_.insert(text).second) {
        return false;
    }
    queue_.push_back({text});
    return true;
}

std::vector<ShownNotice> NoticeQueue::showing(uint32_t nowMs) {
    const std::lock_guard<std::mutex> lock(mutex_);
    // Unsigned, so the reading stays right across the clock's wrap.
    const auto over = [nowMs](const Waiting& w) {
        return w.shown && nowMs - w.shownAtMs >= NOTICE_SHOW_MS;
    };
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(), over), queue_.end());
    std::vector<ShownNotice> shown;
    for (size_t i = 0; i < queue_.size() && i < NOTICE_LINES; ++i) {
        Waiting& w = queue_[i];
        if (!w.shown) {
            w.shown = true;
            w.shownAtMs = nowMs;
        }
        const uint32_t left = NOTICE_SHOW_MS - (nowMs - w.shownAtMs);
        const float opacity =
            left >= NOTICE_FADE_MS ? 1.0f : static_cast<float>(left) / NOTICE_FADE_MS;
        shown.push_back({w.text, opacity});
    }
    return shown;
}

void sayDiskTrouble(const std::string& text) {
    std::fprintf(stderr, "zentrix: %s\n", text.c_str());
    gDiskNotices.add(text);
}
