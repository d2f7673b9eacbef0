#pragma once

#include <cstdint>

#include "shell/loop_pacer.h"

// A paused race stands still, and so does its picture: drawing it again 60
// times a second would only burn the processor. Once a frame of the pause
// is on the screen, the loop waits on events instead, and draws again when
// one comes (a key, the menu, the mouse, the window shown again or resized)
// or, to be safe, once a second.
class StillPicture {
public:
    static constexpr int64_t REDRAW_AT_LEAST_EVERY_NS = 1000000000;

    explicit StillPicture(PacerClock& clock) : clock_(clock) {}

    // After each frame drawn: whether it showed the race paused.
    void drawn(bool paused);
    // Before a frame: whether the one on the screen still holds, so none
    // need be drawn. Any event since the last frame, or a race no longer
    // paused, ends the stillness.
    bool holds(bool paused, bool eventCame);

private:
    PacerClock& clock_;
    bool shownPaused_ = false;
    int64_t shownAt_ = 0;
};
