#include "input/key_commands.h"

#include "hud/track_map.h"
#include "input/key_state.h"
#include "race/camera.h"
#include "session/race_commands.h"

int32_t gQuitRequested = 0;

void onKeyDown(int virtualKey) {
    switch (virtualKey) {
        case VK_ESCAPE:
            gQuitRequested = 1;
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
