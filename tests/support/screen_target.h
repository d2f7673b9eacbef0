#pragma once

#include <cstdint>

#include "support/screen.h"

namespace testsupport {

// A screen of any size, even larger than the test display: a framebuffer
// object drawn into as the game draws into its window, with the picture laid
// over it. On the way out the window's own 1024 x 768 is laid out again.
class ScreenTarget {
public:
    ScreenTarget(int width, int height);
    ~ScreenTarget();
    ScreenTarget(const ScreenTarget&) = delete;
    ScreenTarget& operator=(const ScreenTarget&) = delete;

    bool ready() const { return framebuffer_ != 0; }
    Screen read() const { return Screen::ofBound(width_, height_); }

private:
    int width_;
    int height_;
    uint32_t framebuffer_ = 0;
    uint32_t colour_ = 0;
    uint32_t depth_ = 0;
};

}  // namespace testsupport
