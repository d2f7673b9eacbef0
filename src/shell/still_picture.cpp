#include "shell/still_picture.h"

void StillPicture::drawn(bool paused) {
    shownPaused_ = paused;
    shownAt_ = clock_.nowNanoseconds();
}

bool StillPicture::holds(bool paused, bool eventCame) {
    if (eventCame || !paused || !shownPaused_) {
        return false;
    }
    return clock_.nowNanoseconds() - shownAt_ < REDRAW_AT_LEAST_EVERY_NS;
}
