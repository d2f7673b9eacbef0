#include "render/scene.h"

#include "app/joystick.h"
#include "race/frame.h"
#include "race/player.h"

void setupScene() {
    placePlayerOnStartLine(gPlayer);
    if (gJoystickState == nullptr) {
        gJoystickState = new JoystickState();
    }
}

void placeLights() {}
