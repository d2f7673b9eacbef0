#include "saves/disk_notices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> textsOf(const std::vector<ShownNotice>& shown) {
    std::vector<std::string> texts;
    for (const ShownNotice& notice : shown) {
        texts.push_back(notice.text);
    }
    return texts;
}

using Texts = std::vector<std::string>;

TEST(NoticeQueue, EachIsShownOnceForAFewSecondsFadingAtTheEndAndTheRestWaitTheirTurn) {
    NoticeQueue queue;
    EXPECT_TRUE(queue.showing(0).empty());
    EXPECT_TRUE(queue.add("cannot save records"));
    EXPECT_TRUE(queue.add("cannot save settings"));
    EXPECT_TRUE(queue.add("records file moved aside"));
    EXPECT_FALSE(queue.add("cannot save records")) << "said again";
    // The clock is the frame's; a notice's seconds start when it first shows.
    const uint32_t start = 4294967000u;  // across the clock's wrap
    const struct {
        uint32_t afterMs;
        Texts shown;
        float firstOpacity;
    } moments[] = {
        {0, {"cannot save records", "cannot save settings"}, 1.0f},
        {NOTICE_SHOW_MS - NOTICE_FADE_MS, {"cannot save records", "cannot save settings"}, 1.0f},
        {NOTICE_SHOW_MS - NOTICE_FADE_MS / 2,
         {"cannot save records", "cannot save settings"},
         0.5f},
        {NOTICE_SHOW_MS - 1, {"cannot save records", "cannot save settings"}, 0.001f},
        {NOTICE_SHOW_MS, {"records file moved aside"}, 1.0f},
        {2 * NOTICE_SHOW_MS - 1, {"records file moved aside"}, 0.001f},
        {2 * NOTICE_SHOW_MS, {}, 0.0f},
        {10 * NOTICE_SHOW_MS, {}, 0.0f},
    };
    for (const auto& moment : moments) {
        const std::vector<ShownNotice> shown = queue.showing(start + moment.afterMs);
        EXPECT_EQ(textsOf(shown), moment.shown) << moment.afterMs;
        if (!shown.empty()) {
            EXPECT_NEAR(shown.front().opacity, moment.firstOpacity, 0.0005f) << moment.afterMs;
        }
    }
    EXPECT_FALSE(queue.add("cannot save settings")) << "said once a run, even when gone";
    EXPECT_TRUE(queue.showing(start + 11 * NOTICE_SHOW_MS).empty());
}

TEST(NoticeQueue, TroubleOnDiskIsQueuedForTheGame) {
    testing::internal::CaptureStderr();
    sayDiskTrouble("cannot save records: disk full; racing on without saving them");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zentrix: cannot save records: disk full; racing on without saving them\n");
    // Other tests in this program may have queued trouble before: each is left
    // to show its seconds out until this one shows.
    bool shown = false;
    for (uint32_t now = 1000; !shown; now += NOTICE_SHOW_MS) {
        const std::vector<ShownNotice> showing = gDiskNotices.showing(now);
        ASSERT_FALSE(showing.empty());
        for (const ShownNotice& notice : showing) {
            shown = shown ||
                    notice.text == "cannot save records: disk full; racing on without saving them";
        }
    }
}

}  // namespace
