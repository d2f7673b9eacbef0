#include "input/key_commands.h"

#include "hud/track_map.h"
#include "input/key_state.h"
#include "race/camera.h"
#include "session/ghost.h"
#include "session/race_commands.h"
#include "session/replay_watch.h"

int32_t gQuitRequested = 0;

namespace {
// Watching a replay, R starts it over, F and B wind it, and there is no next
// race for N. Returns whether the key was one of those.
bool onReplayKey(int virtualKey) {
    switch (virtualKey) {
        case VK_R:
            watchFromTheStart();
            return true;
        case VK_F:
            toggleWatchFastForward();
            return true;
        case VK_B:
            watchBack(WATCH_BACK_TICKS);
            return true;
        case VK_N:
            return true;
        default:
            return false;
    }
}
}  // namespace

void onKeyDown(int virtualKey) {
    if (watchingReplay() && onReplayKey(virtualKey)) {
        return;
    }
    switch (virtualKey) {
        case VK_ESCAPE:
            // Watching the pilot from the menu, Esc comes back to racing.
            if (!stopWatchingThePilot()) {
                gQuitRequested = 1;
            }
            break;
        case VK_C:
            cycleChaseCamera();
            break;
        case VK_V:
            toggleCockpitView();
            break;
        case VK_M:
            toggleTrackMap();
            break;
        case VK_G:
            toggleGhost();
            break;
        case VK_P:
            togglePause();
            break;
        case VK_R:
            raceAgain();
            break;
        case VK_N:
            raceNextCircuit();
            break;
        default:
            break;
    }
}
