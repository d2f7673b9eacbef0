#include "app/key_commands.h"

#include "app/app_state.h"
#include "app/game_window.h"
#include "app/key_state.h"
#include "app/race_commands.h"
#include "race/camera.h"

int32_t gQuitRequested = 0;

void onKeyDown(int virtualKey) {
    switch (virtualKey) {
        case VK_ESCAPE:
            destroyGameWindow();
            gQuitRequested = 1;
            break;
        case VK_C:
            cycleChaseCamera();
            break;
        case VK_V:
            toggleCockpitView();
            break;
        case VK_P:
            togglePause();
            break;
        case VK_R:
            raceAgain();
            break;
        default:
            break;
    }
}
