#include "support/finish_script.h"

#include "craft/player.h"
#include "input/key_state.h"

namespace testsupport {

namespace {
constexpr double JUST_BEFORE_THE_LINE = -0.011;  // track parameter: some 700 units
constexpr int MOST_TICKS = 600;
}  // namespace

int flyOverTheLine(const std::function<void()>& tick) {
    const int32_t lapsBefore = gPlayer.laps;
    placePlayerOnTrack(gPlayer, JUST_BEFORE_THE_LINE);
    recordKeyDown(VK_UP);
    int ticks = 0;
    while (gPlayer.laps == lapsBefore && ticks < MOST_TICKS) {
        tick();
        ++ticks;
    }
    recordKeyUp(VK_UP);
    return gPlayer.laps > lapsBefore ? ticks : -1;
}

}  // namespace testsupport
