#pragma once

#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// How long a notice shows once it is on the screen, the last part fading.
constexpr uint32_t NOTICE_SHOW_MS = 4000;
constexpr uint32_t NOTICE_FADE_MS = 1000;
// At most this many show at once; the rest wait their turn.
constexpr size_t NOTICE_LINES = 2;

struct ShownNotice {
    std::string text;
    float opacity = 1.0f;  // 1 until it fades, towards 0 at the end
};

// Trouble the player should hear of without a box: each text once a run, in
// the order said, shown for a few seconds from the moment it first can be.
// Said from any thread; read by the frame.
class NoticeQueue {
public:
    // Queues text unless it has been said before; returns whether it was queued.
    bool add(const std::string& text);
    // What shows at nowMs (any steady milliseconds), oldest first: a notice's
    // time starts at the first call that shows it, and it is gone for good
    // NOTICE_SHOW_MS later.
    std::vector<ShownNotice> showing(uint32_t nowMs);

private:
    struct Waiting {
        std::string text;
        bool shown = false;
        uint32_t shownAtMs = 0;
    };
    std::mutex mutex_;
    std::set<std::string> said_;
    std::vector<Waiting> queue_;
};

extern NoticeQueue gDiskNotices;

// Trouble with the files kept on disk (settings, records, replays): said on
// standard error as "zentrix: text" and queued for the HUD.
void sayDiskTrouble(const std::string& text);
