// A paused picture is drawn again only when something comes in, or once a
// second; a race that runs is drawn every frame.
#include "shell/still_picture.h"

#include <gtest/gtest.h>

#include "support/fake_pacer_clock.h"

namespace {

constexpr int64_t NS_PER_MS = 1000000;

TEST(StillPicture, OnlyAPausedPictureAlreadyShownWithNothingNewHolds) {
    const struct {
        const char* what;
        bool drawnPaused;  // the frame on the screen showed the pause
        int64_t since;     // how long ago it was drawn
        bool paused;       // the race now
        bool eventCame;
        bool holds;
    } cases[] = {
        {"a still pause", true, 16 * NS_PER_MS, true, false, true},
        {"still after most of a second", true, 999 * NS_PER_MS, true, false, true},
        {"drawn again once a second", true, 1000 * NS_PER_MS, true, false, false},
        {"a key, the mouse or the window", true, 16 * NS_PER_MS, true, true, false},
        {"the race going on", true, 16 * NS_PER_MS, false, false, false},
        {"the first paused frame is still to draw", false, 16 * NS_PER_MS, true, false, false},
        {"racing", false, 16 * NS_PER_MS, false, false, false},
    };
    for (const auto& c : cases) {
        testsupport::FakePacerClock clock;
        clock.now = 5000 * NS_PER_MS;
        StillPicture still(clock);
        EXPECT_FALSE(still.holds(c.paused, c.eventCame)) << c.what << ": nothing drawn yet";
        still.drawn(c.drawnPaused);
        clock.advance(c.since);
        EXPECT_EQ(still.holds(c.paused, c.eventCame), c.holds) << c.what;
    }
}

}  // namespace
