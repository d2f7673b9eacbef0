#include "render/scene.h"

#include "app/joystick.h"
#include "race/frame.h"
#include "race/player.h"
#include "render/lap_clock.h"
#include "render/overlay.h"

void setupScene() {
    createOverlayFont();
    gLapClock.start();
    placePlayerOnStartLine(gPlayer);
    if (gJoystickState == nullptr) {
        gJoystickState = new JoystickState();
    }
}

void placeLights() {}
